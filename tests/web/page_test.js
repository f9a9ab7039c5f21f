// The page's end-to-end tests in Debian's Chromium, on a copy of build/web/siccora.html opened
// alone from file://. Prints "N passed, N failed"; exit 1 when a test failed.
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const t = require('./page_support');

const kRelayVentilator = 0, kRelayCompressor = 1;

function clockLines(clockMs) {
  const lines = [];
  for (const back of [0, 1]) {  // the minute may just have turned over
    const minutes = (Math.floor(clockMs / 60000) - back + 1440) % 1440;
    const hh = String(Math.floor(minutes / 60)).padStart(2, '0');
    const mm = String(minutes % 60).padStart(2, '0');
    for (const colon of [':', ' ']) lines.push(`${hh}${colon}${mm}  15°C  58%`);
  }
  return lines;
}

async function startUpAndClock(page) {
  await t.waitLcdPixels(page, 1, [' SICCORA-superb '], 3000);
  const clock = await page.evaluate(() => window.siccora._web_clock_ms());
  const now = await page.evaluate(() => { const d = new Date(); return (d.getHours() * 60 + d.getMinutes()) * 60000; });
  if (Math.abs(clock - now) > 120000 && Math.abs(clock - now) < 86400000 - 120000) {
    throw new Error(`clock ${clock} ms is not the browser's local time ${now} ms`);
  }
  await t.waitLcdPixels(page, 0, clockLines(clock), 3000);
  // "Help": the embedded user's manual in a page of its own.
  const [manual] = await Promise.all([page.waitForEvent('popup'), page.click('#help')]);
  await manual.waitForLoadState();
  const manualText = await manual.textContent('body');
  if (!/SICCORA/i.test(manualText)) throw new Error('the manual did not open');
}

async function roomAtSeventyPercent(page) {
  await t.startAt(page, '10:00:00', 70);
  await t.press(page, 'Room');
  await t.waitLcdPixels(page, 1, ['  START IN 5s   '], 2000);
  await t.waitLcdPixels(page, 1, ['  Drying Room   '], 8000);
  await t.waitFor(() => page.evaluate(() => window.siccora.ledOn('Room program') &&
                                            window.siccora.ledOn('Ready')), 4000, 'Room and READY LEDs');
  await t.waitFor(async () => (await t.relayOn(page, kRelayVentilator)) &&
                              (await t.relayOn(page, kRelayCompressor)), 2000, 'ventilator and compressor on');
}

// With Ctrl held down: Filter reset, Heater and Washing; letting go of Ctrl releases them.
// The controller takes one event a tick and judges the menu key by the keys held when its event
// comes up: in the second after READY its queue still holds the start-up's events, so a quick
// combination would read as HEATER, then WASHING. A second of simulated time lets it catch up.
async function openConfiguration(page) {
  await t.waitSimulated(page, 1000, 3000);
  await page.keyboard.down('Control');
  for (const button of ['Filter', 'Heater', 'Washing']) {
    await t.press(page, button);
    await t.waitSimulated(page, 250, 2000);
  }
  await page.keyboard.up('Control');
  await t.waitLcdPixels(page, 1, [' CONFIGURATION  '], 2000);
}

async function configurationValueStored(page) {
  await t.startAt(page, '10:00:00', 58);
  await openConfiguration(page);
  await t.press(page, 'Filter');
  await t.waitLcd(page, 1, ' Heater Option  ', 2000);
  await t.waitFor(async () => (await t.lcdRow(page, 0)).startsWith('  MAN'), 2000, 'the stored option');
  await t.press(page, 'Washing');  // minus: manual -> automatic
  await t.waitFor(async () => !(await t.lcdRow(page, 0)).startsWith('  MAN'), 2000, 'the option to change');
  const changed = (await t.lcdRow(page, 0)).replace('*', ' ');  // without the changed mark
  await t.press(page, 'Heater');  // store
  await t.waitLcd(page, 0, changed, 2000);
  await t.press(page, 'Off');
  await t.waitLcd(page, 1, ' SICCORA-superb ', 3000);
  await openConfiguration(page);
  await t.press(page, 'Filter');
  await t.waitLcd(page, 1, ' Heater Option  ', 2000);
  await t.waitFor(async () => (await t.lcdRow(page, 0)).slice(0, 6) === changed.slice(0, 6), 2000,
                  `the stored option "${changed}" (shows "${await t.lcdRow(page, 0)}")`);
}

async function setHumidity(page, value) { await page.fill('#value1', String(value)); }

async function washingAtSixtyTimes(page) {
  await t.startAt(page, '14:00:00', 60);
  await page.selectOption('#speed', '60');
  await t.press(page, 'Washing');
  await t.waitLcd(page, 1, ' Drying Washing ', 3000);
  for (let run = 0; run < 3; ++run) {
    await setHumidity(page, 44);
    await t.waitLcd(page, 1, '    Standby     ', 3000);
    await setHumidity(page, 53);
    await t.waitLcd(page, 1, ' Drying Washing ', 3000);
    if (run < 2) await t.waitSimulated(page, 20 * 60000, 40000);  // 20 min in about 20 s
  }
  await setHumidity(page, 44);
  await t.waitLcdPixels(page, 1, ['CLEAN THE FILTER'], 3000);
  await t.waitFor(async () => !(await t.relayOn(page, kRelayVentilator)) &&
                              !(await t.relayOn(page, kRelayCompressor)), 2000, 'relays off');
}

async function recordingReplays(page, { folder }) {
  await t.startAt(page, '10:00:00', 70);
  await page.click('#record');  // a power-on: keys count once READY is lit again
  await t.waitLcd(page, 1, ' SICCORA-superb ', 5000);
  await t.waitFor(() => page.evaluate(() => window.siccora.ledOn('Ready')), 5000, 'READY after the power-on');
  await t.press(page, 'Room');
  await t.waitLcd(page, 1, '  Drying Room   ', 8000);
  await t.waitSimulated(page, 2000, 4000);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
  const file = path.join(folder, 'recording.yaml');
  await download.saveAs(file);
  try {
    execFileSync(t.paths.sim, [file], { stdio: 'pipe', cwd: folder });
  } catch (e) {  // not exit 0: say what siccora-sim reported
    throw new Error(`siccora-sim ${file} exited ${e.status}:\n${e.stdout}${e.stderr}`);
  }
}

t.runTests([
  ['start-up texts, the clock line and the manual', startUpAndClock],
  ['Room at 70 %: start delay, drying, LEDs and relays', roomAtSeventyPercent],
  ['CONFIGURATION by the Ctrl-held combination, a value stored', configurationValueStored],
  ['the washing program to its end at 60x', washingAtSixtyTimes],
  ['a recording saved from the page replays in siccora-sim', recordingReplays],
]).then((ok) => process.exit(ok ? 0 : 1), (error) => { console.log(error); process.exit(1); });

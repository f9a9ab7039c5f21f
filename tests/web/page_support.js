// What the browser tests share: the page copied alone to a fresh folder and opened from file://
// in Debian's Chromium, the panel's buttons, the LCD read from the model and from the canvas
// pixels (compared with what the native LCD rasteriser draws for the expected text), and waits
// on conditions, never fixed sleeps.
'use strict';
const { chromium } = require('playwright-core');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const root = path.resolve(__dirname, '../..');
const paths = {
  page: process.env.SICCORA_PAGE || path.join(root, 'build/web/siccora.html'),
  lcdExpect: process.env.SICCORA_LCD_EXPECT || path.join(root, 'build/native-asan/bin/lcd_expect'),
  sim: process.env.SICCORA_SIM || path.join(root, 'build/native-asan/bin/siccora-sim'),
  dataDir: process.env.SICCORA_DATA_DIR || path.join(root, 'build/native-asan/bin'),
};

// Button centres in picture pixels (the area file's rectangles).
const kButtons = { Off: [130, 269], Washing: [260, 269], Filter: [390, 269], Heater: [520, 269],
                   Room: [650, 269] };
const kPollMs = 50;

function copyPageAlone() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'siccora-page-'));
  const copy = path.join(folder, 'siccora.html');
  fs.copyFileSync(paths.page, copy);
  return { folder, url: 'file://' + copy };
}

async function launch() {
  return chromium.launch({ executablePath: '/usr/bin/chromium',
                           args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required'] });
}

async function openPage(browser, url) {
  const context = await browser.newContext({ acceptsDownloads: true, viewport: { width: 1000, height: 700 } });
  const page = await context.newPage();
  page.on('pageerror', (error) => console.log('page error:', error.message));
  await page.goto(url);
  await page.waitForFunction(() => window.siccora && window.siccora.pageReady);
  return page;
}

async function waitFor(condition, timeoutMs, what) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > end) throw new Error('timed out waiting for ' + what);
    await new Promise((resolve) => setTimeout(resolve, kPollMs));
  }
}

const lcdRow = (page, row) => page.evaluate((r) => window.siccora.lcdRow(r), row);
const elapsedMs = (page) => page.evaluate(() => window.siccora._web_elapsed_ms());

async function waitLcd(page, row, text, timeoutMs) {
  await waitFor(async () => (await lcdRow(page, row)) === text, timeoutMs,
                `LCD row ${row} "${text}" (shows "${await lcdRow(page, row)}")`);
}

// Waits until `ms` more of simulated time have passed.
async function waitSimulated(page, ms, timeoutMs) {
  const until = (await elapsedMs(page)) + ms;
  await waitFor(async () => (await elapsedMs(page)) >= until, timeoutMs, `${ms} simulated ms`);
}

// The rasteriser's pixels of a row showing `text`, from the native helper.
function expectedRow(row, text) {
  const out = execFileSync(paths.lcdExpect, [paths.dataDir, String(row), text], { encoding: 'utf8' });
  return JSON.parse(out.trim());
}

async function canvasRow(page, expected) {
  return page.evaluate(({ left, top, width, height }) => {
    const data = document.getElementById('panel').getContext('2d')
        .getImageData(left, top, width, height).data;
    const pixels = [];
    for (let i = 0; i < data.length; i += 4) pixels.push((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
    return pixels;
  }, expected);
}

async function rowMismatches(page, expected) {
  const shown = await canvasRow(page, expected);
  let mismatches = 0;
  for (let i = 0; i < expected.pixels.length; ++i) mismatches += shown[i] !== expected.pixels[i];
  return mismatches;
}

// Waits until the canvas shows one of `texts` in `row`, pixel for pixel; returns the text.
async function waitLcdPixels(page, row, texts, timeoutMs) {
  const expected = texts.map((text) => ({ text, pixels: expectedRow(row, text) }));
  return waitFor(async () => {
    for (const e of expected) if ((await rowMismatches(page, e.pixels)) === 0) return e.text;
    return null;
  }, timeoutMs, `canvas row ${row} showing one of ${JSON.stringify(texts)}`);
}

async function press(page, button, hold) {
  const box = await page.locator('#panel').boundingBox();
  const [x, y] = kButtons[button];
  await page.mouse.click(box.x + x, box.y + y, hold ? { modifiers: ['Control'] } : {});
}

async function startAt(page, time, humidity) {
  await page.fill('#start-time', time);
  await page.fill('#value1', String(humidity));
  await page.click('#restart');
  await waitLcd(page, 1, ' SICCORA-superb ', 5000);
  // The controller takes keys once its start-up has ended, which READY shows (the restart starts
  // the panel afresh, with every LED dark).
  await waitFor(() => page.evaluate(() => window.siccora.ledOn('Ready')), 5000, 'READY after the start-up');
}

const relayOn = (page, index) => page.evaluate((i) =>
  document.getElementById('relay' + i).classList.contains('on'), index);

// Runs the named tests in turn and prints "N passed, N failed".
async function runTests(tests) {
  let passed = 0, failed = 0;
  const browser = await launch();
  const { folder, url } = copyPageAlone();
  for (const [name, test] of tests) {
    const started = Date.now();
    const page = await openPage(browser, url);
    try {
      await test(page, { folder });
      ++passed;
      console.log(`ok   ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
    } catch (error) {
      ++failed;
      console.log(`FAIL ${name}: ${error.message}`);
    }
    await page.context().close();
  }
  await browser.close();
  fs.rmSync(folder, { recursive: true, force: true });
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0;
}

module.exports = { paths, kButtons, launch, openPage, copyPageAlone, waitFor, lcdRow, elapsedMs,
                   waitLcd, waitSimulated, waitLcdPixels, press, startAt, relayOn, runTests };

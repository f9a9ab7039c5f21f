// Figures of the browser page in Debian's Chromium (headless): open to the first LCD text, the
// CPU an idle tab takes at 1x, whether 60x keeps up, and click to changed LCD pixels.
//   node bench/web_bench.js [build/web/siccora.html]      (scripts/web_bench.sh builds first)
'use strict';
const fs = require('fs');
const path = require('path');
const t = require('../tests/web/page_support');

const kRuns = 5;
const kIdleSeconds = 10;
const kClicks = 10;
const kTickMs = 50;
const kLcdRow1 = { left: 285, top: 138, width: 206, height: 14 };  // row 1 of the LCD

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

// CPU seconds (user + system) of all processes below `rootPid` (this program: the browser).
function browserCpuSeconds(rootPid) {
  const parents = new Map();
  const cpu = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parents.set(Number(entry), Number(fields[1]));
      cpu.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    } catch (error) { /* ended meanwhile */ }
  }
  let ticks = 0;
  for (const [pid, value] of cpu) {
    if (pid === rootPid) continue;
    for (let p = parents.get(pid); p > 1; p = parents.get(p)) if (p === rootPid) { ticks += value; break; }
  }
  return ticks / 100;  // USER_HZ
}

async function openToFirstText(browser, url) {
  const times = [];
  for (let run = 0; run < kRuns; ++run) {
    const context = await browser.newContext();
    const page = await context.newPage();
    if (process.env.SICCORA_BENCH_VERBOSE) page.on('console', (message) => console.log('  ' + message.text()));
    await page.addInitScript(() => {
      const poll = () => {
        const m = window.siccora;
        if (m && m.pageReady && m.framesDrawn && m.lcdRow(1).trim()) {
          window.firstTextMs = performance.now();
          console.log(`runtime ready ${m.runtimeReadyMs.toFixed(0)} ms`);
          return;
        }
        requestAnimationFrame(poll);
      };
      requestAnimationFrame(poll);
    });
    await page.goto(url);
    times.push(await t.waitFor(() => page.evaluate(() => window.firstTextMs), 5000, 'first LCD text'));
    await context.close();
  }
  return times;
}

async function idleShareOf(seconds) {
  const cpu0 = browserCpuSeconds(process.pid);
  const wall0 = Date.now();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  return (browserCpuSeconds(process.pid) - cpu0) / ((Date.now() - wall0) / 1000);
}

// The same browser with an empty page, for comparison.
async function blankShare(browser) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto('about:blank');
  const share = await idleShareOf(kIdleSeconds);
  await context.close();
  return share;
}

async function idleAndSpeed(browser, url) {
  const page = await t.openPage(browser, url);
  await t.startAt(page, '10:00:00', 58);
  const idleShare = await idleShareOf(kIdleSeconds);
  await page.selectOption('#speed', '60');
  const sim0 = await t.elapsedMs(page);
  const start = Date.now();
  await new Promise((resolve) => setTimeout(resolve, kIdleSeconds * 1000));
  const ratio = ((await t.elapsedMs(page)) - sim0) / (Date.now() - start);
  await page.context().close();
  return { idleShare, ratio };
}

async function clickToPixels(browser, url) {
  const page = await t.openPage(browser, url);
  await t.startAt(page, '10:00:00', 70);
  await t.waitFor(() => page.evaluate(() => window.siccora.ledOn('Ready')), 5000, 'READY');
  const results = [];
  for (let click = 0; click < kClicks; ++click) {
    const button = click % 2 === 0 ? 'Room' : 'Off';
    await page.evaluate((rect) => {
      const canvas = document.getElementById('panel');
      const context = canvas.getContext('2d');
      const snap = () => context.getImageData(rect.left, rect.top, rect.width, rect.height).data.join();
      const before = snap();
      window.clickResult = null;
      canvas.addEventListener('pointerdown', () => {
        const down = { ms: performance.now(), sim: window.siccora._web_elapsed_ms() };
        const check = () => {
          if (snap() !== before) {
            window.clickResult = { ms: performance.now() - down.ms, sim: window.siccora._web_elapsed_ms() - down.sim };
          } else {
            requestAnimationFrame(check);
          }
        };
        requestAnimationFrame(check);
      }, { once: true, capture: true });
    }, kLcdRow1);
    await t.press(page, button);
    const result = await t.waitFor(() => page.evaluate(() => window.clickResult), 3000, 'changed LCD pixels');
    results.push({ button, ...result });
    await t.waitSimulated(page, 1500, 4000);
  }
  await page.context().close();
  return results;
}

(async () => {
  const pagePath = path.resolve(process.argv[2] || path.join(__dirname, '../build/web/siccora.html'));
  const url = 'file://' + pagePath;
  console.log(`page: ${pagePath} (${(fs.statSync(pagePath).size / 1048576).toFixed(2)} MiB)`);
  const browser = await t.launch();
  const first = await openToFirstText(browser, url);
  console.log(`open to first LCD text: median ${median(first).toFixed(0)} ms (runs: ${first.map((v) => v.toFixed(0)).join(', ')} ms; goal < 1000 ms)`);
  const blank = await blankShare(browser);
  const { idleShare, ratio } = await idleAndSpeed(browser, url);
  console.log(`idle tab at 1x: ${(idleShare * 100).toFixed(2)} % of a core, all Chromium processes ` +
              `(goal < 2 %; the same browser with an empty tab: ${(blank * 100).toFixed(2)} %)`);
  console.log(`at 60x: ${ratio.toFixed(2)} simulated s per wall s (goal 60)`);
  const clicks = await clickToPixels(browser, url);
  for (const button of ['Room', 'Off']) {
    const own = clicks.filter((c) => c.button === button);
    const ms = own.map((c) => c.ms);
    const ticks = own.map((c) => c.sim / kTickMs);
    console.log(`click on ${button} to changed LCD pixels: median ${median(ms).toFixed(0)} ms, max ${Math.max(...ms).toFixed(0)} ms; ` +
                `simulated ticks median ${median(ticks)}, max ${Math.max(...ticks)} (goal <= 3 ticks + 1 frame: 167 ms)`);
  }
  await browser.close();
})().catch((error) => { console.error(error.message); process.exit(1); });

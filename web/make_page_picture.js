// The README's picture of the page: build/web/siccora.html opened in Chromium, started at 10:00
// with the READY LED lit, paused so the clock's colon stands still, and the window saved as PNG.
//   node web/make_page_picture.js PAGE OUTPUT.png
'use strict';
const t = require('../tests/web/page_support');

(async () => {
  const [pagePath, output] = process.argv.slice(2);
  if (!pagePath || !output) throw new Error('usage: make_page_picture.js PAGE OUTPUT.png');
  const browser = await t.launch();
  const page = await t.openPage(browser, 'file://' + require('path').resolve(pagePath));
  await t.startAt(page, '10:00:00', 58);
  await t.waitFor(() => page.evaluate(() => window.siccora.ledOn('Ready')), 5000, 'READY');
  await t.waitLcd(page, 0, '10:00  15°C  58%', 5000);
  await page.selectOption('#speed', '0');
  await page.evaluate(() => window.siccora._web_hint());  // the first hint, not the time's one
  await page.screenshot({ path: output, clip: { x: 0, y: 0, width: 800, height: 540 } });
  await browser.close();
})().catch((error) => { console.error(error.message); process.exit(1); });

// Opens the built user's manual in headless Chromium and checks what a reader would stumble over:
// a broken image, a link to a missing file or a missing #anchor, a request that failed, an error
// on the console. The manual is read offline (the help command opens it from the programs'
// folder), so a link that leaves the machine counts as broken too.
//
//   node tests/manual/check_manual.mjs MANUAL.htm [--pictures N]
//
// --pictures N: the manual must show at least N embedded pictures (the build draws one per
// scenario of dataset/pictures/). Prints one line per check and a summary in CTest's words
// ("... tests passed, F tests failed out of T"), which the test command adds to its totals.
// Exit code 0 when every check passed, 1 otherwise, 2 for a usage error.
import { existsSync } from 'node:fs';
import { dirname, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const kChromium = '/usr/bin/chromium';
const kLoadTimeoutMs = 30000;

function parseArguments(argv) {
  const options = { manual: null, pictures: 0 };
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--pictures' && i + 1 < argv.length) {
      options.pictures = Number.parseInt(argv[++i], 10);
      if (!Number.isInteger(options.pictures) || options.pictures < 0) return null;
    } else if (options.manual === null && !argv[i].startsWith('--')) {
      options.manual = argv[i];
    } else {
      return null;
    }
  }
  return options.manual === null ? null : options;
}

// Everything the checks need, read in the page once it has loaded.
function readPage() {
  const images = [...document.images].map((image) => ({
    source: image.getAttribute('src') || '',
    loaded: image.complete && image.naturalWidth > 0,
  }));
  const links = [...document.querySelectorAll('a[href]')].map((a) => a.getAttribute('href'));
  const ids = [...document.querySelectorAll('[id]')].map((element) => element.id);
  const names = [...document.querySelectorAll('a[name]')].map((a) => a.getAttribute('name'));
  return { images, links, ids, names, title: document.title };
}

function shortSource(source) {
  return source.length > 60 ? `${source.slice(0, 60)}...` : source;
}

// Each check gives the list of problems it found; none means it passed.
function checks(page, problems, manualPath, pictures) {
  const targets = new Set([...page.ids, ...page.names]);
  const folder = dirname(manualPath);
  return [
    ['the manual loads without a failed request or a console error', () => problems],
    ['it has a title', () => (page.title.trim() ? [] : ['no <title>'])],
    [`every image is shown, at least ${pictures} embedded pictures`, () => {
      const found = page.images.filter((i) => !i.loaded).map((i) => `broken image ${shortSource(i.source)}`);
      const embedded = page.images.filter((i) => i.loaded && i.source.startsWith('data:image/')).length;
      if (embedded < pictures) found.push(`${embedded} embedded pictures, expected at least ${pictures}`);
      return found;
    }],
    ['every #anchor exists', () => page.links
      .filter((href) => href.startsWith('#'))
      .filter((href) => !targets.has(decodeURIComponent(href.slice(1))))
      .map((href) => `link to the missing anchor ${href}`)],
    ['every other link names a file beside the manual', () => page.links
      .filter((href) => !href.startsWith('#'))
      .filter((href) => {
        if (/^[a-z][a-z0-9+.-]*:/i.test(href)) return true;  // http:, mailto:, file: ... leave the folder
        const file = href.split('#')[0].split('?')[0];
        return !existsSync(resolve(folder, decodeURIComponent(file)));
      })
      .map((href) => `broken link ${href}`)],
    ['no id is given twice', () => page.ids
      .filter((id, index) => page.ids.indexOf(id) !== index)
      .map((id) => `id "${id}" given twice`)],
  ];
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  if (options === null) {
    console.error('usage: node tests/manual/check_manual.mjs MANUAL.htm [--pictures N]');
    return 2;
  }
  const manualPath = resolve(options.manual);
  if (!existsSync(manualPath)) {
    console.error(`check_manual: ${manualPath} does not exist`);
    console.log('0% tests passed, 1 tests failed out of 1');
    return 1;
  }
  const browser = await chromium.launch({ executablePath: kChromium, headless: true, args: ['--no-sandbox'] });
  const problems = [];
  let page;
  try {
    const tab = await browser.newPage();
    tab.on('requestfailed', (request) => problems.push(`request failed: ${shortSource(request.url())}`));
    tab.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    tab.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
    });
    await tab.goto(pathToFileURL(manualPath).href, { waitUntil: 'load', timeout: kLoadTimeoutMs });
    page = await tab.evaluate(readPage);
  } finally {
    await browser.close();
  }
  let failed = 0;
  const all = checks(page, problems, manualPath, options.pictures);
  for (const [name, check] of all) {
    const found = check();
    console.log(`${found.length === 0 ? 'ok  ' : 'FAIL'} ${name}`);
    for (const problem of found) console.log(`       ${problem}`);
    if (found.length > 0) ++failed;
  }
  const passed = all.length - failed;
  console.log(`${manualPath}: ${page.images.length} images, ${page.links.length} links`);
  console.log(`${Math.floor((100 * passed) / all.length)}% tests passed, ${failed} tests failed out of ${all.length}`);
  return failed === 0 ? 0 : 1;
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  main().then((code) => process.exit(code), (error) => {
    console.error(`check_manual: ${error.message}`);
    console.log('0% tests passed, 1 tests failed out of 1');
    process.exit(1);
  });
}

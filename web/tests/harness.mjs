// Drives the web build in the system's headless Chromium: a static server on 127.0.0.1 that
// the tests start and stop, a browser with a fresh profile, and a page whose canvas frames
// are recorded so the tests can compare them with the headless desktop's pictures.
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { after, before } from 'node:test';

import puppeteer from 'puppeteer-core';

const REPO = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const SITE = process.env.MORVANE_SITE || path.join(REPO, 'build/web/site');
// The headless desktop's pictures of the same screens, at twice the game's size, and the
// pictures the game draws from.
const REFERENCES = { __references: path.join(REPO, 'docs/screens'), __assets: path.join(REPO, 'assets') };
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.bmp': 'image/bmp',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
};

function fileFor(urlPath) {
  const parts = decodeURIComponent(urlPath).split('/').filter(Boolean);
  if (parts.includes('..')) return null;
  const reference = REFERENCES[parts[0]];
  const file = reference ? path.join(reference, ...parts.slice(1)) : path.join(SITE, ...parts);
  try {
    return statSync(file).isDirectory() ? path.join(file, 'index.html') : file;
  } catch {
    return null;
  }
}

// Serves the page folder, the reference pictures under /__references/ and the game's pictures
// under /__assets/. Resolves once the server listens. A .gz file goes out as
// application/octet-stream, as from many plain servers; with `encodeGz`, as its unpacked self
// with Content-Encoding: gzip, as some servers send them.
export async function startServer({ encodeGz = false } = {}) {
  const server = http.createServer((req, res) => {
    const file = fileFor(new URL(req.url, 'http://127.0.0.1').pathname);
    let body;
    try {
      body = file && readFileSync(file);
    } catch {
      body = null;
    }
    if (!body) {
      res.writeHead(404).end();
      return;
    }
    const headers = { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' };
    if (encodeGz && file.endsWith('.gz')) {
      headers['Content-Type'] = TYPES[path.extname(file.slice(0, -3))] || 'application/octet-stream';
      headers['Content-Encoding'] = 'gzip';
    }
    res.writeHead(200, headers).end(body);
  });
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

// With `throttled`, a tab in the background has its timers slowed down as in a browser
// someone uses (the driver's defaults switch that off).
export async function launchBrowser({ throttled = false } = {}) {
  const profile = mkdtempSync(path.join(os.tmpdir(), 'morvane-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    ignoreDefaultArgs: throttled
      ? ['--disable-background-timer-throttling', '--disable-backgrounding-occluded-windows',
          '--disable-renderer-backgrounding']
      : [],
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      `--user-data-dir=${profile}`,
    ],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Runs in the page before anything else: records every picture the game puts on the canvas
// and knows how to compare regions of it with reference pictures.
function recorder(timeScale) {
  const W = 320;
  const H = 240;
  if (timeScale) window.MORVANE_TIME_SCALE = timeScale;
  const T = (window.__morvaneTest = { seq: 0, frames: [], references: {}, letters: [], firstFrameAt: 0 });
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    put.apply(this, args);
    if (this.canvas.id !== 'screen') return;
    const pixels = this.getImageData(0, 0, W, H).data;
    if (!T.firstFrameAt && pixels.some((v, i) => i % 4 !== 3 && v !== 0)) T.firstFrameAt = performance.now();
    T.frames.push({ seq: ++T.seq, at: performance.now(), pixels });
    if (T.frames.length > 64) T.frames.shift();
  };
  T.decode = async (url) => {
    const blob = await (await fetch(url)).blob();
    const image = await createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const canvas = new OffscreenCanvas(image.width, image.height);
    const ctx = canvas.getContext('2d');
    ctx.drawImage(image, 0, 0);
    return { width: image.width, height: image.height, data: ctx.getImageData(0, 0, image.width, image.height).data };
  };
  // A reference picture is twice the game's size, pixel for pixel.
  T.loadReference = async (name) => {
    const big = await T.decode(`/__references/${name}.png`);
    const out = new Uint8ClampedArray(W * H * 4);
    for (let y = 0; y < H; ++y)
      for (let x = 0; x < W; ++x)
        for (let c = 0; c < 4; ++c) out[(y * W + x) * 4 + c] = big.data[(2 * y * big.width + 2 * x) * 4 + c];
    T.references[name] = out;
  };
  T.loadPictures = async () => {
    T.sprite = await T.decode('/__assets/sprite.bmp');
    for (let i = 0; i < 26; ++i) {
      const letter = String.fromCharCode(65 + i);
      T.letters.push({ letter, image: await T.decode(`/__assets/${letter}.bmp`) });
    }
  };
  T.same = (pixels, reference, [x0, y0, w, h]) => {
    for (let y = y0; y < y0 + h; ++y)
      for (let x = x0; x < x0 + w; ++x)
        for (let c = 0; c < 3; ++c) if (pixels[(y * W + x) * 4 + c] !== reference[(y * W + x) * 4 + c]) return false;
    return true;
  };
  // Every non-black pixel of the image's rectangle (sx, sy, w, h) is on screen at (x, y):
  // the image was drawn there with black as the transparent colour.
  T.keyedAt = (pixels, image, [sx, sy, w, h, x, y]) => {
    const data = image.data;
    for (let j = 0; j < h; ++j)
      for (let i = 0; i < w; ++i) {
        const s = ((sy + j) * image.width + sx + i) * 4;
        if (data[s] + data[s + 1] + data[s + 2] === 0) continue;
        const d = ((y + j) * W + x + i) * 4;
        if (pixels[d] !== data[s] || pixels[d + 1] !== data[s + 1] || pixels[d + 2] !== data[s + 2]) return false;
      }
    return true;
  };
  // The width of the time bar on screen (0 to 256): its rightmost column drawn from the sprite.
  T.barWidth = (pixels) => {
    for (let c = 255; c >= 0; --c) {
      let drawn = 0;
      let same = true;
      for (let j = 0; j < 16 && same; ++j) {
        const s = ((160 + j) * T.sprite.width + c) * 4;
        const d = ((184 + j) * W + 32 + c) * 4;
        if (T.sprite.data[s] + T.sprite.data[s + 1] + T.sprite.data[s + 2] === 0) continue;
        ++drawn;
        same = pixels[d] === T.sprite.data[s] && pixels[d + 1] === T.sprite.data[s + 1] && pixels[d + 2] === T.sprite.data[s + 2];
      }
      if (drawn && same) return c + 1;
    }
    return 0;
  };
  // The first frame after `since` whose time bar is narrower than the frame's before it.
  T.barStep = (since) => {
    for (let i = 1; i < T.frames.length; ++i) {
      const frame = T.frames[i];
      if (frame.seq <= since) continue;
      const width = T.barWidth(frame.pixels);
      const before = T.barWidth(T.frames[i - 1].pixels);
      if (width > 0 && width < before) return { seq: frame.seq, at: frame.at, width };
    }
    return null;
  };
  // The letter on screen, or null.
  T.letterOf = (pixels) => {
    for (const { letter, image } of T.letters)
      if (T.keyedAt(pixels, image, [0, 0, image.width, image.height, 88, 16])) return letter;
    return null;
  };
  // A check holds when all of its parts do (or, with `unlike`, when not all do): whole
  // regions equal a reference picture's, sprite-sheet rectangles drawn at their places,
  // some letter on screen.
  T.holds = (pixels, check) => {
    let ok = true;
    if (check.regions) ok = check.regions.every((r) => T.same(pixels, T.references[check.reference], r));
    if (ok && check.sprites) ok = check.sprites.every((r) => T.keyedAt(pixels, T.sprite, r));
    if (ok && check.letter) ok = T.letterOf(pixels) !== null;
    return ok !== !!check.unlike;
  };
  // The number of the first recorded frame after `since` for which the check holds, or null.
  T.find = (since, check) => {
    for (const frame of T.frames) if (frame.seq > since && T.holds(frame.pixels, check)) return frame.seq;
    return null;
  };
}

// Opens the game in a new page. Console errors, page errors and failed requests are kept in
// `problems`; timeScale speeds the page's clock and timers up.
export async function openGame(
  browser,
  url,
  { timeScale = 1, references = [], pictures = true, onRequest, before, viewport = { width: 800, height: 640 } } = {},
) {
  const page = await browser.newPage();
  if (before) await before(page);
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  if (onRequest) {
    await page.setRequestInterception(true);
    page.on('request', onRequest);
  }
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(recorder, timeScale);
  await page.goto(url, { waitUntil: 'load' });
  await page.evaluate(
    async (names, withPictures) => {
      for (const name of names) await window.__morvaneTest.loadReference(name);
      if (withPictures) await window.__morvaneTest.loadPictures();
    },
    references,
    pictures,
  );
  return { page, problems, ...helpers(page) };
}

function helpers(page) {
  const seq = () => page.evaluate(() => window.__morvaneTest.seq);
  // Waits for a frame painted after `since` that passes the check; returns its number.
  const waitForFrame = async (since, check, timeout = 20000) => {
    const handle = await page.waitForFunction((s, c) => window.__morvaneTest.find(s, c), { polling: 20, timeout }, since, check);
    return handle.jsonValue();
  };
  return {
    seq,
    waitForFrame,
    // The whole screen equals the reference picture.
    waitForScreen: (since, reference, timeout) =>
      waitForFrame(since, { reference, regions: [[0, 0, 320, 240]] }, timeout),
    letterOnScreen: () =>
      page.evaluate(() => {
        const frames = window.__morvaneTest.frames;
        return frames.length ? window.__morvaneTest.letterOf(frames[frames.length - 1].pixels) : null;
      }),
    press: async (key, modifiers = []) => {
      for (const m of modifiers) await page.keyboard.down(m);
      await page.keyboard.press(key);
      for (const m of modifiers.slice().reverse()) await page.keyboard.up(m);
    },
  };
}

// Loads the page cold and returns the milliseconds from navigation to the first non-black
// frame, the bytes and requests it took (the tests' own fetches aside) and the page's marks.
export async function measureLoad(browser, url) {
  const page = await browser.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  const urls = new Map();
  let bytes = 0;
  let requests = 0;
  cdp.on('Network.requestWillBeSent', (e) => urls.set(e.requestId, e.request.url));
  cdp.on('Network.loadingFinished', (e) => {
    if ((urls.get(e.requestId) || '').includes('/__')) return;
    bytes += e.encodedDataLength;
    requests += 1;
  });
  await page.evaluateOnNewDocument(recorder, 0);
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.__morvaneTest.firstFrameAt > 0, { polling: 10, timeout: 20000 });
  const timing = await page.evaluate(() => ({
    firstFrameMs: window.__morvaneTest.firstFrameAt,
    startedMs: performance.getEntriesByName('morvane: started')[0]?.startTime ?? 0,
    marks: performance
      .getEntries()
      .filter((e) => e.entryType === 'mark' || e.entryType === 'resource')
      .map((e) => `${e.name.replace(location.href, '')} ${Math.round(e.entryType === 'mark' ? e.startTime : e.responseEnd)}`),
  }));
  await page.close();
  return { ...timing, bytes, requests };
}

// A local server and a browser for one test file: started before its first test and closed
// after its last. The returned object holds them (session.server, session.chromium).
export function serveAndBrowse(browserOptions = {}) {
  const session = {};
  before(async () => {
    session.server = await startServer();
    session.chromium = await launchBrowser(browserOptions);
  });
  after(async () => {
    await session.chromium?.close();
    await session.server?.close();
  });
  return session;
}

// From the title to the first letter of a game: F, then the frame that shows a letter.
export async function toFirstLetter(game) {
  const since = await game.seq();
  await game.waitForScreen(0, 'title');
  await game.press('KeyF');
  await game.waitForFrame(since, { letter: true });
}

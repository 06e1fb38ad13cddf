// How the page loads: the time to its first picture and what it costs, and its own notice
// when it cannot load.
import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { SITE, measureLoad, openGame, serveAndBrowse, startServer } from './harness.mjs';

const session = serveAndBrowse();

test('first frame: five cold loads, printed', async () => {
  const runs = [];
  for (let i = 0; i < 5; ++i) runs.push(await measureLoad(session.chromium.browser, session.server.url));
  const times = runs.map((r) => r.firstFrameMs).sort((a, b) => a - b);
  console.log(`first non-black frame: median ${Math.round(times[2])} ms, ${times.map(Math.round).join(' / ')} ms`);
  const started = runs.map((r) => r.startedMs).sort((a, b) => a - b);
  const lead = runs.map((r) => r.firstFrameMs - r.startedMs).sort((a, b) => a - b);
  console.log(`program started: median ${Math.round(started[2])} ms; its logo's first light ${Math.round(lead[2])} ms later`);
  console.log(`transferred: ${runs[0].bytes} bytes in ${runs[0].requests} requests`);
  console.log(`last load: ${runs[4].marks.join(', ')}`);
  // Each step's median over the five loads, in the order of those medians: the files'
  // arrival, their unpacking and compiling, the program's start and its first tick.
  const steps = new Map();
  for (const run of runs)
    for (const mark of run.marks) {
      const at = mark.lastIndexOf(' ');
      const name = mark.slice(0, at).replace(/^morvane: /, '');
      if (!steps.has(name)) steps.set(name, []);
      steps.get(name).push(Number(mark.slice(at + 1)));
    }
  const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
  const order = [...steps].map(([name, values]) => [name, median(values)]).sort((a, b) => a[1] - b[1]);
  console.log(`median steps: ${order.map(([name, ms]) => `${name} ${ms}`).join(', ')}, first light ${Math.round(times[2])}`);
});

test('opened from file://, the page says why it cannot start and how to serve the folder', async () => {
  const page = await session.chromium.browser.newPage();
  await page.goto(pathToFileURL(path.join(SITE, 'index.html')).href, { waitUntil: 'load' });
  const notice = await page.$eval('body.failed #closed:not([hidden]) #notice:not([hidden])', (n) => n.textContent);
  assert.match(notice, /file:\/\//);
  assert.match(notice, /python3 -m http\.server 8000/);
  await page.close();
});

test('a missing program file is named in the notice', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, {
    pictures: false,
    onRequest: (request) => {
      if (request.url().endsWith('/morvane.wasm.gz')) request.respond({ status: 404, body: '' });
      else request.continue();
    },
  });
  const shown = await game.page.waitForSelector('body.failed #closed:not([hidden]) #notice:not([hidden])');
  const notice = await shown.evaluate((n) => n.textContent);
  assert.match(notice, /morvane\.wasm\.gz: HTTP 404/);
  assert.match(notice, /python3 -m http\.server 8000/);
  assert.equal(await game.seq(), 0);
  await game.page.close();
});

test('served as octet-stream or already unpacked, the program is fetched once and starts quietly', async () => {
  for (const encodeGz of [false, true]) {
    const other = await startServer({ encodeGz });
    const fetched = [];
    const game = await openGame(session.chromium.browser, other.url, {
      timeScale: 4,
      references: ['title'],
      before: (page) => page.on('request', (r) => fetched.push(new URL(r.url()).pathname)),
    });
    await game.waitForScreen(0, 'title');
    assert.deepEqual(fetched.filter((p) => p.includes('morvane.wasm')), ['/morvane.wasm.gz']);
    assert.equal(await game.page.$eval('#messages', (m) => m.hidden), true);
    assert.deepEqual(game.problems, []);
    await game.page.close();
    await other.close();
  }
});

// The web build played in headless Chromium: start-up, the title picture, judged keys, the
// quit prompt, the menus and the about box, a whole game, the end of the program, and a
// picture missing from the pictures' pack.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { gunzipSync, gzipSync } from 'node:zlib';

import { SITE, openGame, serveAndBrowse, toFirstLetter } from './harness.mjs';

// Sprite-sheet rectangles [sx, sy, w, h] at their screen places [x, y].
const GOOD_MARK = [0, 0, 160, 32, 80, 184];
const MISS_MARK = [0, 32, 160, 32, 80, 184];
const QUIT_PROMPT = [
  [0, 128, 160, 32, 80, 88],
  [160, 128, 160, 32, 80, 120],
];
const RESULT_CAPTIONS = [
  [0, 256, 160, 32, 0, 96],
  [160, 256, 160, 32, 0, 144],
];
const LOWEST_RANK_STAMP = [240, 288, 80, 80, 160, 120];
const MISS_COUNT = [260, 64, 48, 24];
const TIME_BAR = [32, 184, 256, 16];

const session = serveAndBrowse();

test('the page starts without errors and its title screen is the headless title picture', async () => {
  const started = Date.now();
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await game.waitForScreen(0, 'title');
  const firstFrameMs = await game.page.evaluate(() => window.__morvaneTest.firstFrameAt);
  console.log(`first frame ${Math.round(firstFrameMs)} ms after navigation; title after ${Date.now() - started} ms`);
  assert.equal(await game.page.title(), 'Morvane');
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('letters are judged: a right key shows GOOD!, a wrong one MISS and counts it', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title', 'play_miss'] });
  await toFirstLetter(game);
  const right = await game.letterOnScreen();
  let since = await game.seq();
  await game.press(`Key${right}`);
  await game.waitForFrame(since, { sprites: [GOOD_MARK], letter: true });

  const shown = await game.letterOnScreen();
  const wrong = shown === 'Q' ? 'W' : 'Q';
  since = await game.seq();
  await game.press(`Key${wrong}`);
  await game.waitForFrame(since, { sprites: [MISS_MARK], reference: 'play_miss', regions: [MISS_COUNT] });
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('Esc asks whether to quit: N plays on, Y goes back to the logo and the title', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await toFirstLetter(game);
  let since = await game.seq();
  await game.press('Escape');
  since = await game.waitForFrame(since, { sprites: QUIT_PROMPT });
  await game.press('KeyN');
  since = await game.waitForFrame(since, { sprites: QUIT_PROMPT, unlike: true, letter: true });
  await game.press('Escape');
  since = await game.waitForFrame(since, { sprites: QUIT_PROMPT });
  await game.press('KeyY');
  await game.waitForScreen(since, 'title');
  await game.page.close();
});

test('Alt+H opens the about box over a game that keeps ticking; Enter closes it', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await toFirstLetter(game);
  await game.press('KeyH', ['Alt']);
  await game.page.waitForSelector('#menubar .menu-popup:not([hidden])');
  await game.press('KeyA');
  const dialog = await game.page.waitForSelector('dialog#dialog[open]');
  const texts = await dialog.evaluate((d) => d.innerText);
  for (const text of ['ﾊﾞｰｼﾞｮﾝ情報', '～　Morvane　～', 'OK']) assert.ok(texts.includes(text), `${text} in ${texts}`);
  assert.ok(await dialog.$('img.dialog-icon'));
  assert.equal(await game.page.title(), 'Morvane');

  // The time bar goes on shrinking behind the dialog.
  const before = await game.page.evaluate(
    (r) => {
      const T = window.__morvaneTest;
      T.references.mark = T.frames[T.frames.length - 1].pixels;
      return T.seq;
    },
    TIME_BAR,
  );
  await game.waitForFrame(before, { reference: 'mark', regions: [TIME_BAR], unlike: true });
  assert.ok(await game.page.$('dialog#dialog[open]'));

  await game.press('Enter');
  await game.page.waitForSelector('dialog#dialog:not([open])');
  const since = await game.seq();
  await game.press('Escape');
  await game.waitForFrame(since, { sprites: QUIT_PROMPT });
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('a whole game with no keys runs out of time to the result screen, rank stamp and title', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 8, references: ['title'] });
  await toFirstLetter(game);
  const since = await game.waitForFrame(0, { sprites: [...RESULT_CAPTIONS, LOWEST_RANK_STAMP] }, 90000);
  assert.match(await game.page.$eval('#spoken', (s) => s.textContent), /rank 4 of 4/);
  await game.waitForScreen(since, 'title', 30000);
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('J, and File > Exit by mouse, end the program; Start again brings the title back', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await game.waitForScreen(0, 'title');
  await game.press('KeyJ');
  await game.page.waitForSelector('#closed:not([hidden])');
  assert.equal(await game.page.$eval('#menubar', (bar) => bar.children.length), 0);

  await Promise.all([game.page.waitForNavigation(), game.page.click('#again')]);
  await game.page.evaluate(() => window.__morvaneTest.loadReference('title'));
  await game.waitForScreen(0, 'title');
  await game.page.click('#menubar .menu-title');
  await (await game.page.waitForSelector('#menubar .menu-popup:not([hidden]) .menu-item')).click();
  await game.page.waitForSelector('#closed:not([hidden])');
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('a picture missing from the pack is named on the page and no game starts', async () => {
  // The pack without Q.bmp: tar entries are a 512-byte header and the data in 512-byte blocks.
  const tar = gunzipSync(readFileSync(path.join(SITE, 'pictures.tar.gz')));
  const kept = [];
  for (let at = 0; at + 512 <= tar.length && tar[at] !== 0; ) {
    const size = parseInt(tar.subarray(at + 124, at + 136).toString().replace(/\0.*$/s, ''), 8);
    const end = at + 512 + Math.ceil(size / 512) * 512;
    if (!tar.subarray(at, at + 100).toString().startsWith('Q.bmp\0')) kept.push(tar.subarray(at, end));
    at = end;
  }
  const body = gzipSync(Buffer.concat([...kept, Buffer.alloc(1024)]));
  const game = await openGame(session.chromium.browser, session.server.url, {
    pictures: false,
    onRequest: (request) => {
      if (request.url().endsWith('/pictures.tar.gz')) request.respond({ status: 200, body });
      else request.continue();
    },
  });
  await game.page.waitForSelector('body.failed #closed:not([hidden])');
  const messages = await game.page.$eval('#messages', (m) => m.textContent);
  // where the program looked, once, then one line for the one picture that failed
  const lines = messages.trim().split('\n');
  assert.equal(lines.length, 2);
  assert.match(lines[0], /^morvane: no folder holds every picture; looked in /);
  assert.match(lines[1], /^morvane: Q\.bmp: .+$/);
  assert.equal(await game.seq(), 0);
  await game.page.close();
});

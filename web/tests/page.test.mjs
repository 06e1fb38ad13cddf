// The page for every player: touch typing, crisp pixels at any device pixel ratio, the Mac's
// Cmd, Enter in the about box, Tab to the menus, and what axe-core finds.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { test } from 'node:test';

import { openGame, serveAndBrowse, toFirstLetter } from './harness.mjs';

const GOOD_MARK = [0, 0, 160, 32, 80, 184];
const MISS_COUNT = [260, 64, 48, 24];

const session = serveAndBrowse();

test('a phone: a tap brings up the keyboard and its letters are judged', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, {
    timeScale: 4,
    references: ['title'],
    viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  });
  await game.waitForScreen(0, 'title');
  assert.ok(await game.page.$eval('.when-touch', (e) => e.offsetHeight > 0), 'the page says to tap');
  const box = await game.page.$eval('#screen', (c) => {
    const r = c.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height, room: window.innerHeight - r.bottom };
  });
  assert.ok(box.room >= 844 * 0.4, `room for the keyboard: ${box.room} px`);
  await game.page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  assert.equal(await game.page.evaluate(() => document.activeElement.id), 'typing');
  const cdp = await game.page.createCDPSession();
  let since = await game.seq();
  await cdp.send('Input.insertText', { text: 'f' });
  await game.waitForFrame(since, { letter: true });
  since = await game.seq();
  await cdp.send('Input.insertText', { text: (await game.letterOnScreen()).toLowerCase() });
  await game.waitForFrame(since, { sprites: [GOOD_MARK], letter: true });
  assert.equal(await game.page.$eval('#typing', (i) => i.value), '');
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('the game sits on whole device pixels at ratios 1, 1.25, 1.5, 2 and 3; the menu bar grows', async () => {
  const page = await session.chromium.browser.newPage();
  await page.goto(session.server.url, { waitUntil: 'load' });
  for (const ratio of [1, 1.25, 1.5, 2, 3])
    for (const [width, height] of [[390, 844], [1280, 960]]) {
      await page.setViewport({ width, height, deviceScaleFactor: ratio });
      await page.waitForFunction((r) => window.devicePixelRatio === r, {}, ratio);
      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
      const box = await page.$eval('#screen', (c) => {
        const r = c.getBoundingClientRect();
        return [r.x, r.y, r.width, r.height].map((v) => v * window.devicePixelRatio);
      });
      const where = `${width}x${height} at ${ratio}: ${box.join(', ')}`;
      // Layout keeps positions in 64ths of a CSS pixel: a whole device pixel is read that close.
      for (const v of box) assert.ok(Math.abs(v - Math.round(v)) <= ratio / 64, where);
      assert.equal(Math.round(box[2]) % 320, 0, where);
      assert.equal(Math.round(box[2]) / 320, Math.round(box[3]) / 240, where);
      const font = await page.$eval('#menubar', (bar) => parseFloat(getComputedStyle(bar).fontSize));
      assert.ok(font >= 12 && font >= ((6 * box[2]) / 320 / ratio) - 0.01, `menu font ${font} px, ${where}`);
    }
  await page.close();
});

test('on a Mac, Cmd+C is the copy accelerator, not the letter C', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, {
    timeScale: 4,
    references: ['title'],
    before: async (page) => {
      const cdp = await page.createCDPSession();
      await cdp.send('Emulation.setUserAgentOverride', { userAgent: await session.chromium.browser.userAgent(), platform: 'MacIntel' });
    },
  });
  await toFirstLetter(game);
  let right = await game.letterOnScreen();
  if (right === 'C') {
    const since = await game.seq();
    await game.press('KeyC');
    await game.waitForFrame(since, { sprites: [GOOD_MARK], letter: true });
    right = await game.letterOnScreen();
  }
  const since = await game.page.evaluate(() => {
    const T = window.__morvaneTest;
    T.references.mark = T.frames[T.frames.length - 1].pixels;
    return T.seq;
  });
  await game.press('KeyC', ['Meta']);
  await game.press(`Key${right}`);
  // A C taken as a letter would have counted a miss before the right key's GOOD!.
  await game.waitForFrame(since, { sprites: [GOOD_MARK], reference: 'mark', regions: [MISS_COUNT] }, 5000);
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

test('the about box opens centred over the window, and after a click on it Enter still presses OK', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await game.waitForScreen(0, 'title');
  await game.press('KeyH', ['Alt']);
  await game.page.waitForSelector('#menubar .menu-popup:not([hidden])');
  await game.press('KeyA');
  await game.page.waitForSelector('dialog#dialog[open]');
  // The line under the window must not pull the box off the window's centre.
  const [frame, box] = await game.page.$$eval('#window, dialog#dialog', (els) =>
    els.map((el) => { const r = el.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; }));
  assert.ok(Math.abs(frame[0] - box[0]) <= 1 && Math.abs(frame[1] - box[1]) <= 1, `window centre ${frame}, box centre ${box}`);
  await game.page.click('dialog#dialog .dialog-text');
  await game.press('Enter');
  await game.page.waitForSelector('dialog#dialog:not([open])', { timeout: 5000 });
  await game.page.close();
});

test('Shift+Tab reaches the menus while the game still gets the letters', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await toFirstLetter(game);
  await game.press('Tab', ['Shift']);
  assert.equal(await game.page.evaluate(() => document.activeElement.className), 'menu-title');
  const since = await game.seq();
  await game.press(`Key${await game.letterOnScreen()}`);
  await game.waitForFrame(since, { sprites: [GOOD_MARK], letter: true });
  await game.press('Enter');
  await game.page.waitForSelector('#menubar .menu-popup:not([hidden])');
  await game.page.close();
});

test('axe-core finds nothing serious on the title page or the closed page', async () => {
  const axe = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  const findings = async () => {
    await game.page.addScriptTag({ path: axe });
    const result = await game.page.evaluate(() => window.axe.run(document));
    return result.violations
      .filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  };
  await game.waitForScreen(0, 'title');
  assert.deepEqual(await findings(), []);
  await game.press('KeyJ');
  await game.page.waitForSelector('#closed:not([hidden])');
  assert.deepEqual(await findings(), []);
  await game.page.close();
});

test('a polite live region says the letter shown and each result, in Japanese and English', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  assert.equal(await game.page.$eval('#spoken', (s) => s.getAttribute('aria-live')), 'polite');
  await toFirstLetter(game);
  const spoken = (text) => game.page.waitForFunction((t) => document.getElementById('spoken').textContent.includes(t), {}, text);
  const right = await game.letterOnScreen();
  await spoken(`文字 ${right}。 letter ${right}.`);
  await game.press(`Key${right}`);
  await spoken('正解');
  await spoken('GOOD!, letter');
  const wrong = (await game.letterOnScreen()) === 'Q' ? 'W' : 'Q';
  await game.press(`Key${wrong}`);
  await spoken('ミス');
  await spoken('MISS');
  await game.page.close();
});

test('a key counts as the letter its layout types, wherever it sits (AZERTY: A where US has Q)', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { timeScale: 4, references: ['title'] });
  await toFirstLetter(game);
  const right = await game.letterOnScreen();
  const place = right === 'Q' ? 'KeyW' : 'KeyQ'; // another letter's place on a US keyboard
  const cdp = await game.page.target().createCDPSession();
  const key = right.toLowerCase();
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', code: place, key, text: key });
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', code: place, key });
  await game.page.waitForFunction(() => document.getElementById('spoken').textContent.includes('GOOD!'));
  await game.page.close();
});

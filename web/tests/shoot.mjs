// Screenshots of the page in headless Chromium: the title, a game in play just after a right
// key, and the about box over the game. Usage: node shoot.mjs OUT_DIR (after the web build).
import path from 'node:path';

import { launchBrowser, openGame, startServer } from './harness.mjs';

const out = process.argv[2];
if (!out) {
  console.error('usage: node shoot.mjs OUT_DIR');
  process.exit(2);
}

const server = await startServer();
const chromium = await launchBrowser();
try {
  const game = await openGame(chromium.browser, server.url, { timeScale: 4, references: ['title'] });
  await game.page.setViewport({ width: 720, height: 560 });
  const shoot = (name) => game.page.screenshot({ path: path.join(out, name) });

  await game.waitForScreen(0, 'title');
  await shoot('web_title.png');

  let since = await game.seq();
  await game.press('KeyF');
  await game.waitForFrame(since, { letter: true });
  since = await game.seq();
  await game.press(`Key${await game.letterOnScreen()}`);
  await game.waitForFrame(since, { sprites: [[0, 0, 160, 32, 80, 184]], letter: true });
  await shoot('web_play.png');

  await game.press('KeyH', ['Alt']);
  await game.page.waitForSelector('#menubar .menu-popup:not([hidden])');
  await game.press('KeyA');
  await game.page.waitForSelector('dialog#dialog[open]');
  await shoot('web_about.png');
} finally {
  await chromium.close();
  await server.close();
}

// The game's clock in a background tab, with the browser's usual slowing of background
// timers switched on: a hidden page keeps the game's time as a minimised window does.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { openGame, serveAndBrowse } from './harness.mjs';

const session = serveAndBrowse({ throttled: true });

// Waits for the time bar to lose columns. With no keys the game redraws the bar on each tick of
// its gauge's drain, so such a frame shows the time left at the moment it was painted.
async function barStep(game, since) {
  const handle = await game.page.waitForFunction((s) => window.__morvaneTest.barStep(s), { polling: 10, timeout: 20000 }, since);
  return handle.jsonValue();
}

test('20 s in a background tab move the game clock on by 20 s', async () => {
  const game = await openGame(session.chromium.browser, session.server.url, { references: ['title'] });
  await game.waitForScreen(0, 'title', 30000);
  let since = await game.seq();
  await game.press('KeyF');
  await game.waitForFrame(since, { letter: true }, 30000);
  const start = await barStep(game, await game.seq());

  const other = await session.chromium.browser.newPage();
  await other.bringToFront();
  assert.equal(await game.page.evaluate(() => document.visibilityState), 'hidden');
  // The page's own timers are slowed to about one a second while it is hidden.
  const slowed = await game.page.evaluate(
    () =>
      new Promise((resolve) => {
        let n = 0;
        const t = setInterval(() => ++n, 20);
        setTimeout(() => (clearInterval(t), resolve(n)), 3000);
      }),
  );
  await new Promise((resolve) => setTimeout(resolve, 17000));
  await game.page.bringToFront();
  await other.close();
  // The first frame back shows the bar as it was last drawn; the next narrower one is new.
  const back = await game.seq();
  await game.page.waitForFunction((s) => window.__morvaneTest.seq > s, { polling: 10 }, back);
  const end = await barStep(game, await game.seq());
  // A column of the bar is 100000 / 427 ms of the game's 60 s: the reading is good to one.
  const gameMs = ((start.width - end.width) * 100000) / 427;
  const wallMs = end.at - start.at;
  console.log(`hidden: ${slowed} page ticks of 20 ms in 3 s; game clock ${gameMs.toFixed(0)} ms in ${wallMs.toFixed(0)} ms`);
  assert.ok(slowed < 20, `background timers were not slowed (${slowed})`);
  assert.ok(wallMs >= 20000, `${wallMs} ms`);
  assert.ok(Math.abs(gameMs - wallMs) <= 500, `game ${gameMs} ms, wall ${wallMs} ms`);
  assert.deepEqual(game.problems, []);
  await game.page.close();
});

// The window layer's conformance suite on the web backend: its page (build/web/conformance,
// made by the web preset) runs the cases as its program in headless Chromium. Every line the
// suite prints goes to the log, each case's with its backend's name ("…/web"); a failed case,
// or a page that stops short, fails the test.
import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

// The harness serves the folder MORVANE_SITE names: here the suite's page, beside the site.
const site = process.env.MORVANE_SITE || fileURLToPath(new URL('../../build/web/site', import.meta.url));
process.env.MORVANE_SITE = path.join(path.dirname(site), 'conformance');
const { serveAndBrowse } = await import('./harness.mjs');

const session = serveAndBrowse();

test('every conformance case holds on the web backend', { timeout: 300000 }, async () => {
  const page = await session.chromium.browser.newPage();
  const log = [];
  page.on('console', (message) => {
    log.push(message.text());
    console.log(message.text());
  });
  const stopped = new Promise((resolve, reject) => {
    page.on('pageerror', (error) => reject(new Error(`the suite's page stopped: ${error.message}`)));
  });
  await page.setViewport({ width: 800, height: 640 });
  const response = await page.goto(session.server.url, { waitUntil: 'load' });
  assert.ok(response.ok(), `${process.env.MORVANE_SITE}: HTTP ${response.status()} (is the web preset built?)`);
  // The page's program sets conformanceStatus when the suite has run: its exit status.
  await Promise.race([page.waitForFunction(() => 'conformanceStatus' in window, { polling: 100, timeout: 0 }), stopped]);
  const status = await page.evaluate(() => window.conformanceStatus);
  assert.ok(log.some((line) => line.startsWith('[       OK ] Web/Conformance.')), 'no case ran');
  assert.equal(status, 0, log.filter((line) => line.startsWith('[  FAILED  ]')).join('\n'));
  await page.close();
});

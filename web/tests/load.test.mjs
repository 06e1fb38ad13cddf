// How the page loads: the time to its first picture and what it costs.
import { after, before, test } from 'node:test';

import { launchBrowser, measureLoad, startServer } from './harness.mjs';

let server;
let chromium;

before(async () => {
  server = await startServer();
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
  await server?.close();
});

test('first frame: five cold loads, printed', async () => {
  const runs = [];
  for (let i = 0; i < 5; ++i) runs.push(await measureLoad(chromium.browser, server.url));
  const times = runs.map((r) => r.firstFrameMs).sort((a, b) => a - b);
  console.log(`first non-black frame: median ${Math.round(times[2])} ms, ${times.map(Math.round).join(' / ')} ms`);
  console.log(`transferred: ${runs[0].bytes} bytes in ${runs[0].requests} requests`);
  console.log(`last load: ${runs[4].marks.join(', ')}`);
});

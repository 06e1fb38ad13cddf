// The game's clock: a dedicated Worker, whose timers the browser does not slow down in a
// background tab as it does the page's own. A message { serial, period, at } starts timer
// `serial` (period 0 stops it); the Worker posts the serial at every tick. The first tick
// comes one period after the program set the timer ('at', on the clock every context of the
// page shares), however long the message took to get here; then one every period.
// The page and the runtime make the Worker from this text (MorvaneClockSource), written into
// both by the build.
var t = {};
onmessage = function (e) {
  var d = e.data;
  clearInterval(t[d.serial]);
  delete t[d.serial];
  if (!d.period) return;
  var late = d.at ? Math.max(0, performance.timeOrigin + performance.now() - d.at) : 0;
  t[d.serial] = setTimeout(function () {
    t[d.serial] = setInterval(function () {
      postMessage(d.serial);
    }, d.period);
    postMessage(d.serial);
  }, Math.max(0, d.period - late));
};

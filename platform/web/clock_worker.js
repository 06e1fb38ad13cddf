// The game's clock: a dedicated Worker, whose timers the browser does not slow down in a
// background tab as it does the page's own. It keeps the program's one wake-up: a message
// { delay, at } sets it to fire `delay` ms after the page asked ('at', on the clock every
// context of the page shares), however long the message took to get here; a negative delay
// cancels it, and a new message replaces the last. When it fires, the Worker posts a message.
// The page and the runtime make the Worker from this text (MorvaneClockSource), written into
// both by the build.
var wake = 0;
onmessage = function (e) {
  var d = e.data;
  clearTimeout(wake);
  if (d.delay < 0) return;
  var late = Math.max(0, performance.timeOrigin + performance.now() - d.at);
  wake = setTimeout(function () {
    postMessage(0);
  }, Math.ceil(Math.max(0, d.delay - late))); // a timer may round down: never early
};

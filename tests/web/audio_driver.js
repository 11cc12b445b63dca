// Watches the game page's sound from inside the page: every Web Audio context made and its
// state, and every sound source started, frame by frame; and presses keys, as
// keyboard_driver.js does (?keys=<frame>:<down|up>:<code>,...). At ?press=<frame> it asks
// the test's server for a key the browser takes as the user's own (the page's own events
// never start its sound). At the frames in ?report=<frame>,... it prints
// "audio at <frame>: <state> <sources started so far>".
(function () {
  var query = new URLSearchParams(location.search);
  var contexts = [];
  var started = 0;
  var Base = window.AudioContext || window.webkitAudioContext;
  if (Base) {
    var Watched = function (options) {
      var context = new Base(options);
      contexts.push(context);
      return context;
    };
    Watched.prototype = Base.prototype;
    window.AudioContext = window.webkitAudioContext = Watched;
  }
  if (window.AudioBufferSourceNode) {
    var start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function () {
      started += 1;
      return start.apply(this, arguments);
    };
  }
  var plan = {};
  (query.get("keys") || "").split(",").forEach(function (step) {
    if (!step) return;
    var parts = step.split(":");
    (plan[parts[0]] = plan[parts[0]] || []).push({type: "key" + parts[1], code: parts[2]});
  });
  var reports = {};
  (query.get("report") || "").split(",").forEach(function (frame) { reports[frame] = true; });
  var press = query.get("press");
  window.velaDriver = true;
  Module.velaFrame = function (frame) {
    if (String(frame) === press) {
      fetch("/press?code=KeyZ", {method: "POST"});
    }
    (plan[frame] || []).forEach(function (key) {
      var event = new KeyboardEvent(key.type, {code: key.code, bubbles: true, cancelable: true});
      window.dispatchEvent(event);
    });
    if (reports[frame]) {
      var state = contexts.length ? contexts[contexts.length - 1].state : "none";
      Module.print("audio at " + frame + ": " + state + " " + started);
    }
  };
})();

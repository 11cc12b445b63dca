// Keys for the game page, frame by frame (Module.velaFrame is called by the platform at
// the start of each frame, before input is read). The splash gives way to the main menu
// at frame 100. ?keys=<frame>:<down|up>:<code>,... in the page's address.
(function () {
  var plan = {};
  (new URLSearchParams(location.search).get("keys") || "").split(",").forEach(function (step) {
    if (!step) return;
    var parts = step.split(":");
    (plan[parts[0]] = plan[parts[0]] || []).push({type: "key" + parts[1], code: parts[2]});
  });
  window.velaDriver = true;
  Module.velaFrame = function (frame) {
    (plan[frame] || []).forEach(function (key) {
      window.dispatchEvent(new KeyboardEvent(key.type, {code: key.code, bubbles: true,
                                                          cancelable: true}));
    });
  };
})();

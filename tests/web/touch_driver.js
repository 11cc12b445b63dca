// Fingers for the game page, frame by frame, as synthetic TouchEvents on the page's
// elements (the on-screen pad's parts or the canvas). Module.velaFrame is called by the
// platform at the start of each frame, before input is read.
// ?touch=<frame>:<touchstart|touchmove|touchend>:<element id>:<finger>:<dx>:<dy>,...
// (dx, dy: CSS pixels from the element's centre) and <frame>:blur for the page losing focus.
(function () {
  var plan = {};
  (new URLSearchParams(location.search).get("touch") || "").split(",").forEach(function (step) {
    if (!step) return;
    var p = step.split(":");
    (plan[p[0]] = plan[p[0]] || []).push(
        {type: p[1], id: p[2], finger: +p[3] || 0, dx: +p[4] || 0, dy: +p[5] || 0});
  });
  var starts = {};
  function touch(step) {
    var e = document.getElementById(step.id);
    if (step.type == "touchstart") starts[step.finger] = e;
    else e = starts[step.finger] || e;  // moves and ends go where the finger landed
    var r = document.getElementById(step.id).getBoundingClientRect();
    var t = new Touch({identifier: step.finger, target: e,
                       clientX: r.left + r.width / 2 + step.dx,
                       clientY: r.top + r.height / 2 + step.dy});
    var ending = step.type == "touchend";
    e.dispatchEvent(new TouchEvent(step.type, {changedTouches: [t], touches: ending ? [] : [t],
                                               targetTouches: ending ? [] : [t],
                                               bubbles: true, cancelable: true}));
  }
  Module.velaFrame = function (frame) {
    (plan[frame] || []).forEach(function (step) {
      if (step.type == "blur") window.dispatchEvent(new FocusEvent("blur"));
      else touch(step);
    });
  };
})();

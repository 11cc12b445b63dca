// A browser without WebGL 2: the canvas offers no "webgl2" context. When the program ends
// the page's message (if any) is printed, so the test sees what a player would read.
(function () {
  var getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type) {
    if (type == "webgl2") return null;
    return getContext.apply(this, arguments);
  };
  var onExit = Module.onExit;
  Module.onExit = function (status) {
    var message = document.querySelector(".vela-message");
    var canvas = document.getElementById("canvas");
    Module.printErr("page message: " + (message ? message.textContent : "(none)"));
    Module.printErr("canvas shown: " + (canvas.style.display != "none"));
    onExit(status);
  };
})();

// Fingers and pens on a window's canvas, from the browser's pointer events; the mouse
// keeps its own mouse events. The page turns them into the game's mouse (fingers.hpp).
mergeInto(LibraryManager.library, {
  kraxListenFingers__deps: ['$kraxPage'],
  kraxListenFingers: function(form, callback, data) {
    var canvas = kraxPage.window(UTF8ToString(form)).querySelector('canvas');
    // The order of the kinds in browser.hpp.
    var kinds = { pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3 };
    var pass = function(e) {
      if (e.pointerType === 'mouse') return;
      // No mouse events made up from the touch afterwards: the press has been made.
      e.preventDefault();
      var box = canvas.getBoundingClientRect();
      {{{ makeDynCall('viiidd', 'callback') }}}(data, kinds[e.type], e.pointerId, e.clientX - box.left, e.clientY - box.top);
    };
    for (var type in kinds) canvas.addEventListener(type, pass);
  },
});

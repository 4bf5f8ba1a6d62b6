// The desk fitted to the page: one scale for every window, the largest at which each
// shown window is seen whole, so the biggest of them fills the page as far as its
// aspect allows. Frames, title bars and canvases are sized in whole device pixels so
// that every canvas lies on the display's own pixels, as sharp as the display is.
mergeInto(LibraryManager.library, {
  $kraxFit: {
    // A window's frame at scale 1, in CSS pixels (krax.css draws it from these).
    frame: 4,
    title: 24,
    gap: 2,
    // What a window needs besides its client area, with `size` turning CSS pixels at
    // scale 1 into the page's.
    chrome: function(element, size) {
      if (element.classList.contains('borderless')) return { width: 0, height: 0 };
      var frame = 2 * size(kraxFit.frame);
      return { width: frame, height: frame + size(kraxFit.title) + size(kraxFit.gap) };
    },
    scaleFor: function(windows, width, height) {
      var scale = Infinity;
      windows.forEach(function(element) {
        var chrome = kraxFit.chrome(element, function(n) { return n; });
        scale = Math.min(scale, width / (element.kraxClient.width + chrome.width),
                         height / (element.kraxClient.height + chrome.height));
      });
      return isFinite(scale) ? scale : 1;
    },
    // The page's own controls keep their corner: where the centred windows would reach
    // it, they are fitted between the corners or below them, whichever leaves them larger.
    scaleBeside: function(windows, width, height) {
      var scale = kraxFit.scaleFor(windows, width, height);
      var controls = document.getElementById('controls');
      if (!controls) return scale;
      // From the corner's own size and offsets: while the page turns, where it lies
      // may still be where the page had it before.
      var style = getComputedStyle(controls);
      var across = controls.offsetWidth + parseFloat(style.right), down = controls.offsetHeight + parseFloat(style.top);
      var reaches = windows.some(function(element) {
        var chrome = kraxFit.chrome(element, function(n) { return n; });
        return (element.kraxClient.width + chrome.width) * scale > width - 2 * across &&
               (element.kraxClient.height + chrome.height) * scale > height - 2 * down;
      });
      if (!reaches) return scale;
      return Math.max(kraxFit.scaleFor(windows, width - 2 * across, height),
                      kraxFit.scaleFor(windows, width, height - 2 * down));
    },
  },

  kraxFitDesk__deps: ['$kraxFit'],
  kraxFitDesk: function() {
    var page = document.documentElement;
    var windows = Array.prototype.slice.call(document.querySelectorAll('#desk .window'));
    var scale = kraxFit.scaleBeside(windows, page.clientWidth, page.clientHeight);
    var density = window.devicePixelRatio || 1;
    // CSS pixels at scale 1 as whole device pixels at this scale, never more than fit.
    var devicePixels = function(n) { return Math.floor(n * scale * density + 1e-6); };
    var css = function(n) { return devicePixels(n) / density; };
    var desk = document.getElementById('desk').style;
    desk.setProperty('--scale', String(scale));
    desk.setProperty('--frame', css(kraxFit.frame) + 'px');
    desk.setProperty('--title', css(kraxFit.title) + 'px');
    desk.setProperty('--gap', css(kraxFit.gap) + 'px');
    var centre = function(room, size) { return Math.max(0, Math.round((room - size) / 2 * density)) / density + 'px'; };
    windows.forEach(function(element) {
      var canvas = element.querySelector('canvas');
      var width = devicePixels(element.kraxClient.width), height = devicePixels(element.kraxClient.height);
      // A canvas given a new size loses its pixels: the page draws every window again.
      if (canvas.width !== width) canvas.width = width;
      if (canvas.height !== height) canvas.height = height;
      canvas.style.width = width / density + 'px';
      canvas.style.height = height / density + 'px';
      var chrome = kraxFit.chrome(element, css);
      element.style.left = centre(page.clientWidth, width / density + chrome.width);
      element.style.top = centre(page.clientHeight, height / density + chrome.height);
    });
    return scale;
  },
});

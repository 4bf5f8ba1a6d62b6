// The page's side of the web backend: window elements, drawing on their canvases with
// the preloaded pictures and font, the page's last word. Linked into the WebAssembly
// module's script; the C++ side declares these in browser.hpp.
mergeInto(LibraryManager.library, {
  $kraxPage: {
    drawing: null,  // the 2D context being drawn on
    across: 1,      // its device pixels per client-area pixel, across and down
    down: 1,
    firstFrame: false,
    window: function(form) {
      return document.querySelector('[data-form="' + form + '"]');
    },
    font: function(face, pixels, bold) {
      var family = face ? '"Comic Neue", sans-serif' : 'sans-serif';
      return (bold ? 'bold ' : '') + pixels + 'px ' + family;
    },
    // Client-area pixels as whole device pixels, each edge at the nearest one: shapes
    // and clips stay sharp at any scale, side by side ones meet without a seam, and
    // the canvas clips on its fast path, with no blending at the clip's edges.
    device: function(x, y, w, h) {
      var left = Math.round(x * kraxPage.across), top = Math.round(y * kraxPage.down);
      return [left, top, Math.round((x + w) * kraxPage.across) - left, Math.round((y + h) * kraxPage.down) - top];
    },
    // Where the named picture lies on the sheet of pictures: left, top, width, height.
    place: function(name) {
      var places = Module.kraxPictures.places;
      return Object.prototype.hasOwnProperty.call(places, name) ? places[name] : null;
    },
    // A picture as a bitmap of the size it is drawn at, made once from the SVG sheet:
    // copying a bitmap costs little, drawing the SVG costs every one of its shapes.
    bitmap: function(name, width, height) {
      var bitmaps = kraxPage.bitmaps || (kraxPage.bitmaps = new Map());
      var key = name + ' ' + width + 'x' + height;
      var bitmap = bitmaps.get(key);
      if (bitmap) return bitmap;
      // More than the game has: the desk has a new scale, and the old sizes are done with.
      if (bitmaps.size >= 100) bitmaps.clear();
      var canvas = new OffscreenCanvas(width, height);
      var at = kraxPage.place(name);
      canvas.getContext('2d').drawImage(Module.kraxPictures.sheet, at[0], at[1], at[2], at[3], 0, 0, width, height);
      bitmap = canvas.transferToImageBitmap();
      bitmaps.set(key, bitmap);
      return bitmap;
    },
    // Fonts are measured on a context of their own, so measuring needs no drawing.
    measure: function(face, pixels, bold, text) {
      var context = kraxPage.measurer || (kraxPage.measurer = document.createElement('canvas').getContext('2d'));
      context.font = kraxPage.font(face, pixels, bold);
      return context.measureText(text);
    },
  },

  kraxWindowOpen__deps: ['$kraxPage'],
  kraxWindowOpen: function(form, caption, borderless, width, height) {
    form = UTF8ToString(form);
    var element = document.createElement('div');
    element.className = borderless ? 'window borderless' : 'window';
    element.dataset.form = form;
    // The right button is the game's, on the title bar too.
    element.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    if (!borderless) {
      var bar = document.createElement('div');
      bar.className = 'title';
      var title = document.createElement('span');
      title.textContent = UTF8ToString(caption);
      var close = document.createElement('button');
      close.className = 'close';
      close.title = 'Close';
      close.textContent = '\u00d7';
      bar.append(title, close);
      element.append(bar);
    }
    // The canvas gets its size, and the window its place, when the page fits the desk.
    element.kraxClient = { width: width, height: height };
    var canvas = document.createElement('canvas');
    // Drawn straight to the screen, not through the page's own frames: a round changes
    // a few spots a few times a second, and a frame of the page costs far more than
    // those changes.
    element.kraxContext = canvas.getContext('2d', { desynchronized: true });
    element.append(canvas);
    document.getElementById('desk').append(element);
  },

  kraxWindowClose__deps: ['$kraxPage'],
  kraxWindowClose: function(form) {
    var element = kraxPage.window(UTF8ToString(form));
    if (element) element.remove();
  },

  kraxWindowDepth__deps: ['$kraxPage'],
  kraxWindowDepth: function(form, depth) {
    kraxPage.window(UTF8ToString(form)).style.zIndex = String(1000 - depth);
  },

  // Only the area's pixels change: the clip is cut to whole device pixels inside it.
  // What is drawn there is drawn as a whole window would be, as long as the area has
  // room around what changed (see PageWindow::drawIfChanged).
  kraxBeginDraw__deps: ['$kraxPage'],
  kraxBeginDraw: function(form, x, y, w, h) {
    var element = kraxPage.window(UTF8ToString(form));
    var context = element.kraxContext, canvas = context.canvas;
    var across = kraxPage.across = canvas.width / element.kraxClient.width;
    var down = kraxPage.down = canvas.height / element.kraxClient.height;
    var left = Math.ceil(x * across), top = Math.ceil(y * down);
    context.save();
    context.beginPath();
    context.rect(left, top, Math.floor((x + w) * across) - left, Math.floor((y + h) * down) - top);
    context.clip();
    context.save();
    kraxPage.drawing = context;
  },

  kraxEndDraw__deps: ['$kraxPage'],
  kraxEndDraw: function() {
    kraxPage.drawing.restore();
    kraxPage.drawing.restore();
    kraxPage.drawing = null;
    // For measuring the time from loading the page to the first frame.
    if (!kraxPage.firstFrame) performance.mark('krax-first-frame');
    kraxPage.firstFrame = true;
  },

  kraxClip__deps: ['$kraxPage'],
  kraxClip: function(x, y, w, h) {
    var context = kraxPage.drawing;
    context.restore();
    context.save();
    context.beginPath();
    context.rect.apply(context, kraxPage.device(x, y, w, h));
    context.clip();
  },

  kraxFill__deps: ['$kraxPage'],
  kraxFill: function(x, y, w, h, r, g, b) {
    kraxPage.drawing.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
    kraxPage.drawing.fillRect.apply(kraxPage.drawing, kraxPage.device(x, y, w, h));
  },

  kraxPicture__deps: ['$kraxPage'],
  // Its size in device pixels does not depend on where it is, so that each picture
  // has one bitmap for each size the game draws it at.
  kraxPicture: function(name, x, y, w, h) {
    name = UTF8ToString(name);
    var width = Math.round(w * kraxPage.across), height = Math.round(h * kraxPage.down);
    if (!kraxPage.place(name) || width <= 0 || height <= 0) return;
    var at = kraxPage.device(x, y, w, h);
    kraxPage.drawing.drawImage(kraxPage.bitmap(name, width, height), at[0], at[1]);
  },

  kraxPictureWidth__deps: ['$kraxPage'],
  kraxPictureWidth: function(name) {
    var at = kraxPage.place(UTF8ToString(name));
    return at ? at[2] : -1;
  },

  kraxPictureHeight__deps: ['$kraxPage'],
  kraxPictureHeight: function(name) {
    var at = kraxPage.place(UTF8ToString(name));
    return at ? at[3] : -1;
  },

  kraxTextWidth__deps: ['$kraxPage'],
  kraxTextWidth: function(text, face, pixels, bold) {
    return Math.round(kraxPage.measure(UTF8ToString(face), pixels, bold, UTF8ToString(text)).width);
  },

  kraxLineHeight__deps: ['$kraxPage'],
  kraxLineHeight: function(face, pixels, bold) {
    var m = kraxPage.measure(UTF8ToString(face), pixels, bold, 'Hg');
    return Math.round(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
  },

  // The text's top is the top of the font's line, as desktop text drawing has it.
  kraxText__deps: ['$kraxPage'],
  kraxText: function(text, face, pixels, bold, r, g, b, x, y) {
    face = UTF8ToString(face);
    var context = kraxPage.drawing;
    context.font = kraxPage.font(face, pixels, bold);
    context.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
    context.textBaseline = 'alphabetic';
    var ascent = Math.round(kraxPage.measure(face, pixels, bold, 'Hg').fontBoundingBoxAscent);
    context.save();
    context.scale(kraxPage.across, kraxPage.down);
    context.fillText(UTF8ToString(text), x, y + ascent);
    context.restore();
  },

  // What is not kept yet of the player's round goes to the storage now.
  kraxEnded: function() {
    var notice = document.getElementById('ended');
    if (Module.kraxReplay) notice.querySelector('p').textContent = 'The replay has ended.';
    notice.hidden = false;
    if (!Module.kraxReplay) Module.ccall('krax_keep_now', null, [], []);
  },
});

// The page's side of the web backend: window elements, drawing on their canvases with
// the preloaded pictures and font, the prompt. Linked into the WebAssembly module's
// script; the C++ side declares these in browser.hpp.
mergeInto(LibraryManager.library, {
  $kraxPage: {
    drawing: null,  // the 2D context being drawn on
    // Keeps each window centred in the page, on whole pixels so canvases stay sharp.
    place: function(element) {
      var left = Math.max(0, Math.round((window.innerWidth - element.offsetWidth) / 2));
      var top = Math.max(0, Math.round((window.innerHeight - element.offsetHeight) / 2));
      element.style.left = left + 'px';
      element.style.top = top + 'px';
    },
    window: function(form) {
      return document.querySelector('[data-form="' + form + '"]');
    },
    font: function(face, pixels, bold) {
      var family = face ? '"Comic Neue", sans-serif' : 'sans-serif';
      return (bold ? 'bold ' : '') + pixels + 'px ' + family;
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
    var canvas = document.createElement('canvas');
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    element.append(canvas);
    document.getElementById('desk').append(element);
    kraxPage.place(element);
    window.addEventListener('resize', element.kraxPlace = function() { kraxPage.place(element); });
  },

  kraxWindowClose__deps: ['$kraxPage'],
  kraxWindowClose: function(form) {
    var element = kraxPage.window(UTF8ToString(form));
    if (!element) return;
    window.removeEventListener('resize', element.kraxPlace);
    element.remove();
  },

  kraxWindowDepth__deps: ['$kraxPage'],
  kraxWindowDepth: function(form, depth) {
    kraxPage.window(UTF8ToString(form)).style.zIndex = String(1000 - depth);
  },

  kraxBeginDraw__deps: ['$kraxPage'],
  kraxBeginDraw: function(form) {
    var canvas = kraxPage.window(UTF8ToString(form)).querySelector('canvas');
    var density = window.devicePixelRatio || 1;
    var width = Math.round(parseFloat(canvas.style.width) * density);
    var height = Math.round(parseFloat(canvas.style.height) * density);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    var context = canvas.getContext('2d');
    context.save();
    context.setTransform(density, 0, 0, density, 0, 0);
    context.save();
    kraxPage.drawing = context;
  },

  kraxEndDraw__deps: ['$kraxPage'],
  kraxEndDraw: function() {
    kraxPage.drawing.restore();
    kraxPage.drawing.restore();
    kraxPage.drawing = null;
    // For measuring the time from loading the page to the first frame.
    if (!performance.getEntriesByName('krax-first-frame').length) performance.mark('krax-first-frame');
  },

  kraxClip__deps: ['$kraxPage'],
  kraxClip: function(x, y, w, h) {
    var context = kraxPage.drawing;
    context.restore();
    context.save();
    context.beginPath();
    context.rect(x, y, w, h);
    context.clip();
  },

  kraxFill__deps: ['$kraxPage'],
  kraxFill: function(x, y, w, h, r, g, b) {
    kraxPage.drawing.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
    kraxPage.drawing.fillRect(x, y, w, h);
  },

  kraxPicture__deps: ['$kraxPage'],
  kraxPicture: function(name, x, y, w, h) {
    var picture = Module.kraxPictures[UTF8ToString(name)];
    if (picture) kraxPage.drawing.drawImage(picture, x, y, w, h);
  },

  kraxPictureWidth: function(name) {
    var picture = Module.kraxPictures[UTF8ToString(name)];
    return picture ? picture.naturalWidth : -1;
  },

  kraxPictureHeight: function(name) {
    var picture = Module.kraxPictures[UTF8ToString(name)];
    return picture ? picture.naturalHeight : -1;
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
    context.fillText(UTF8ToString(text), x, y + ascent);
  },

  kraxPrompt: function(message) {
    var text = window.prompt(UTF8ToString(message), '');
    return text === null ? 0 : allocateUTF8(text);
  },

  kraxEnded: function() {
    document.getElementById('ended').hidden = false;
  },
});

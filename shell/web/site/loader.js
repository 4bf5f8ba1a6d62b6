// Starts KRAX in the page: the pictures and the font load before the program's first
// frame, ?seed=N in the address fixes the random seed, a round in the fragment (#r=,
// a link) plays that round instead of the player's game, window.krax.print(PATH) tells
// tests and bug reports what the game holds and window.krax.sounds() which sounds the
// page started. The speaker control turns sound off and on. Once the page has loaded,
// the service worker keeps the site for playing offline.
(function() {
  var seed = new URLSearchParams(location.search).get('seed');
  // The fragment stays in the page: neither the server nor the service worker sees it.
  var link = location.hash.startsWith('#r=') ? location.href : null;

  function failed(what) {
    console.error('krax: ' + what);
    var notice = document.getElementById('failed');
    notice.querySelector('p').textContent = 'KRAX cannot start: ' + what + '.';
    notice.hidden = false;
  }

  // The sheet of pictures from pictures.js, read while the program compiles.
  function loadPictures() {
    if (typeof kraxPictureSheet !== 'string') return Promise.reject('the pictures did not load');
    var sheet = new Image();
    sheet.src = URL.createObjectURL(new Blob([kraxPictureSheet], { type: 'image/svg+xml' }));
    return sheet.decode().then(function() { return { sheet: sheet, places: kraxPicturePlaces }; },
      function() { throw 'the pictures did not load'; });
  }

  function loadFont() {
    return document.fonts.load('bold 16px "Comic Neue"').then(function(faces) {
      if (!faces.length) throw 'the font Comic Neue did not load';
    });
  }

  // Both load while the program compiles; a failure is said as soon as it comes.
  var assets = Promise.all([loadPictures(), loadFont()]);
  assets.catch(failed);

  window.Module = {
    arguments: link ? ['--link', link] : seed === null ? [] : ['--seed', seed],
    preRun: [function() {
      addRunDependency('krax-assets');
      assets.then(function(loaded) {
        Module.kraxPictures = loaded[0];
        removeRunDependency('krax-assets');
      }, function() {});  // said already
    }],
    postRun: [keepForOffline],
    // What the program says on standard error is an error on the console.
    printErr: function(text) { console.error(text); },
    kraxSoundsStarted: [],
    onAbort: function(what) { failed(String(what)); },
  };

  // Once the menu is drawn: the worker's copying must not slow the start.
  function keepForOffline() {
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('service_worker.js').catch(function(error) {
      console.error('krax: the game will not play offline: ' + error.message);
    });
  }

  window.krax = {
    print: function(path) {
      var answer = Module.ccall('krax_print', 'string', ['string'], [String(path)]);
      if (answer[0] === '!') throw new Error(answer.slice(1));
      return answer.slice(1);
    },
    // The names of the sounds started so far, in order.
    sounds: function() { return Module.kraxSoundsStarted.slice(); },
  };

  // Pressed before the program has started, it does nothing yet.
  document.getElementById('sound').addEventListener('click', function() {
    if (Module.calledRun) Module.ccall('krax_sound_switch', null, [], []);
  });
})();

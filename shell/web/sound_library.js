// The page's sound: the effects' buffers, made once from the game's own samples, and
// Web Audio to play them. Browsers play nothing before the player's first touch,
// click or key, so the audio context is made then. It is suspended after a few
// seconds of silence, so that a page left alone keeps no audio running, and resumed
// for the next sound.
mergeInto(LibraryManager.library, {
  $kraxSound__postset: 'kraxSound.listen();',
  $kraxSound: {
    rate: 48000,      // the synthesizer's
    most: 4,          // sounds at once; the oldest makes way
    linger: 3000,     // ms of silence before the context is suspended
    buffers: [],
    names: [],
    context: null,
    playing: [],      // sources started and not ended, the oldest first
    idle: 0,
    listen: function() {
      var start = function() { kraxSound.start(); };
      ['pointerup', 'touchend', 'keydown', 'mousedown'].forEach(function(type) {
        window.addEventListener(type, start, { capture: true, passive: true });
      });
    },
    // Within a gesture of the player's, the moment a browser lets sound begin: the
    // context is made, running. A balanced latency: the browser's audio threads then
    // wake less often than for the shortest one, which a round's sounds do not need.
    start: function() {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (kraxSound.context || !Context) return;
      kraxSound.context = new Context({ latencyHint: 'balanced' });
      kraxSound.context.resume();
      kraxSound.rest();
    },
    // Once nothing has played for a while, the context stops its audio thread.
    rest: function() {
      clearTimeout(kraxSound.idle);
      if (kraxSound.playing.length) return;
      kraxSound.idle = setTimeout(function() {
        if (!kraxSound.playing.length) kraxSound.context.suspend();
      }, kraxSound.linger);
    },
    ended: function(source) {
      var at = kraxSound.playing.indexOf(source);
      if (at >= 0) kraxSound.playing.splice(at, 1);
      kraxSound.rest();
    },
    button: function() {
      return document.getElementById('sound');
    },
  },

  kraxSoundLoad__deps: ['$kraxSound'],
  kraxSoundLoad: function(effect, name, samples, count) {
    var buffer = new AudioBuffer({ length: Math.max(count, 1), numberOfChannels: 1, sampleRate: kraxSound.rate });
    var data = new Float32Array(count);
    var from = samples >> 1;
    for (var i = 0; i < count; ++i) data[i] = HEAP16[from + i] / 32768;
    buffer.copyToChannel(data, 0);
    kraxSound.buffers[effect] = buffer;
    kraxSound.names[effect] = UTF8ToString(name);
  },

  kraxSoundPlay__deps: ['$kraxSound'],
  kraxSoundPlay: function(effect) {
    var context = kraxSound.context;
    if (!context) return;
    clearTimeout(kraxSound.idle);
    if (context.state === 'suspended') context.resume();
    if (kraxSound.playing.length >= kraxSound.most) {
      var oldest = kraxSound.playing.shift();
      oldest.onended = null;
      oldest.stop();
    }
    var source = context.createBufferSource();
    source.buffer = kraxSound.buffers[effect];
    source.connect(context.destination);
    source.onended = function() { kraxSound.ended(source); };
    kraxSound.playing.push(source);
    source.start();
    Module.kraxSoundsStarted.push(kraxSound.names[effect]);
  },

  kraxSoundRemembered: function() {
    try {
      return localStorage.getItem('krax-sound') === 'off';
    } catch (e) {
      return false;  // no storage (a private window may refuse it): sound on
    }
  },

  kraxSoundShow__deps: ['$kraxSound'],
  kraxSoundShow: function(muted, remember) {
    var button = kraxSound.button();
    if (button) {
      button.setAttribute('aria-pressed', muted ? 'true' : 'false');
      button.title = muted ? 'Sound is off (M)' : 'Sound is on (M)';
    }
    if (!remember) return;
    try {
      localStorage.setItem('krax-sound', muted ? 'off' : 'on');
    } catch (e) {
      // Not kept: the choice holds for this visit.
    }
  },
});

// The page's controls beside the game: sharing the link to the last round (the
// system's share sheet where the browser has one, else the clipboard), the kept
// rounds (the switch that keeps none, forgetting them all), and leaving a replay to
// play. The pieces of a round not yet kept go when the page is hidden or left.
(function() {
  function said(text) {
    var line = document.getElementById('said');
    line.textContent = text;
    line.hidden = false;
    clearTimeout(said.timer);
    said.timer = setTimeout(function() { line.hidden = true; }, 4000);
  }

  function running() { return Module.calledRun; }

  // The player's game, without the round of a link in the address.
  function play() {
    history.replaceState(null, '', location.pathname + location.search);
    location.reload();
  }
  document.querySelectorAll('.play').forEach(function(button) { button.addEventListener('click', play); });
  // A link opened in a page that is open already: the page plays it.
  window.addEventListener('hashchange', function() { location.reload(); });

  function link() {
    var site = location.origin + location.pathname;
    var answer = Module.ccall('krax_round_link', 'string', ['string'], [site]);
    if (answer[0] === '!') throw new Error(answer.slice(1));
    return answer.slice(1);
  }

  function copy(text) {
    var asked = navigator.clipboard ? navigator.clipboard.writeText(text) : Promise.reject();
    return asked.then(function() { said('The link is copied'); },
      function() { window.prompt('The link to your round:', text); });
  }

  document.getElementById('share').addEventListener('click', function() {
    if (!running()) return;
    var address;
    try {
      address = link();
    } catch (e) {
      return said('No link: ' + e.message);
    }
    if (!navigator.share) return copy(address);
    navigator.share({ title: 'KRAX', text: 'A round of KRAX', url: address }).catch(function(e) {
      if (e.name !== 'AbortError') copy(address);
    });
  });

  var keeping = document.getElementById('keeping');
  var keep = document.getElementById('keep');

  function showKept() {
    Module.kraxKeep.list().then(function(rounds) {
      var best = rounds.reduce(function(most, r) { return Math.max(most, r.hits); }, 0);
      document.getElementById('kept').textContent = rounds.length === 0 ? 'No round is kept.' :
        rounds.length + (rounds.length === 1 ? ' round' : ' rounds') + ' kept, the best with ' + best +
        ' hits; the last 100 and the 10 best stay.';
    });
  }

  document.getElementById('rounds').addEventListener('click', function() {
    if (!running()) return;
    keep.checked = Module.kraxKeep.wanted();
    keeping.hidden = false;
    showKept();
  });
  keep.addEventListener('change', function() {
    localStorage.setItem('krax-keep', keep.checked ? 'on' : 'off');
  });
  document.getElementById('forget').addEventListener('click', function() {
    Module.kraxKeep.forget().then(showKept);
  });
  document.getElementById('keeping-done').addEventListener('click', function() { keeping.hidden = true; });

  function keepNow() {
    if (running() && !Module.kraxReplay) Module.ccall('krax_keep_now', null, [], []);
  }
  window.addEventListener('pagehide', keepNow);
  document.addEventListener('visibilitychange', function() {
    if (document.visibilityState === 'hidden') keepNow();
  });

  Object.assign(window.krax, {
    // The link to the last round played out; throws where there is none.
    link: link,
    // What keeping has cost so far: storage calls and the page's milliseconds.
    keeping: function() { return { calls: Module.kraxKeep.calls, ms: Module.kraxKeep.ms }; },
    // The kept rounds' records, oldest first, and a round's script.
    rounds: function() { return Module.kraxKeep.list(); },
    roundScript: function(id) { return Module.kraxKeep.script(id); },
    // A link being watched: its hits, the milliseconds that found them, and its
    // script; or why it plays nothing.
    replay: function() { return Module.kraxReplay; },
    // The whole state as the scenario driver's `dump` prints it.
    dump: function() { return JSON.parse(Module.ccall('krax_dump', 'string', [], [])); },
  });
})();

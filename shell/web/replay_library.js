// Watching a round from a link: the line beside the windows that says it is a replay
// and how it ends, or the one line that says why the link plays nothing. The C++ side
// (web_main.cpp) declares these in browser.hpp.
mergeInto(LibraryManager.library, {
  kraxReplayShown: function(hits, playedMs, script) {
    var line = document.getElementById('replay');
    line.querySelector('.hits').textContent = hits === 1 ? '1 hit' : hits + ' hits';
    line.hidden = false;
    document.body.classList.add('watching');
    Module.kraxReplay = { hits: hits, playedMs: playedMs, script: UTF8ToString(script) };
  },

  kraxLinkRefused: function(reason) {
    reason = UTF8ToString(reason);
    var notice = document.getElementById('refused');
    notice.querySelector('p').textContent = reason.charAt(0).toUpperCase() + reason.slice(1) + '.';
    notice.hidden = false;
    document.body.classList.add('watching');
    Module.kraxReplay = { refused: reason };
  },
});

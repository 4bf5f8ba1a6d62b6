// The page's input boxes: the browser's prompt for the player's own answer, and a box
// of the page's own for an answer given in advance (a replay's), which the prompt
// cannot show. The C++ side (page_input_box.hpp) declares these in browser.hpp.
mergeInto(LibraryManager.library, {
  kraxPrompt: function(message) {
    var text = window.prompt(UTF8ToString(message), '');
    return text === null ? 0 : allocateUTF8(text);
  },

  // Laid out as the desktop's box (krax.css): the prompt, OK and Cancel beside it,
  // the entry below. Nothing in it takes the player's input.
  kraxShowAnswer: function(title, prompt, answer, ok, typingMs, readingMs, closed, data) {
    var box = document.createElement('div');
    box.className = 'inputbox';
    var bar = document.createElement('div');
    bar.className = 'title';
    var caption = document.createElement('span');
    caption.textContent = UTF8ToString(title);
    bar.append(caption);
    var text = document.createElement('p');
    text.textContent = UTF8ToString(prompt);
    var entry = document.createElement('input');
    entry.readOnly = true;
    entry.tabIndex = -1;
    var buttons = ['OK', 'Cancel'].map(function(label) {
      var button = document.createElement('button');
      button.type = 'button';
      button.tabIndex = -1;
      button.textContent = label;
      return button;
    });
    box.append(bar, text, buttons[0], buttons[1], entry);
    document.body.append(box);
    // A character at a time, as a player types it: whole code points.
    var typed = Array.from(UTF8ToString(answer));
    var shown = 0;
    var type = function() {
      if (shown < typed.length) {
        entry.value = typed.slice(0, ++shown).join('');
        setTimeout(type, typingMs);
        return;
      }
      // The button that closes it is seen held while the answer is read.
      buttons[ok ? 0 : 1].classList.add('pressed');
      setTimeout(function() {
        box.remove();
        {{{ makeDynCall('vi', 'closed') }}}(data);
      }, readingMs);
    };
    setTimeout(type, typingMs);
  },
});

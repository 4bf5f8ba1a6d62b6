#include "shell/sdl/input_box_window.hpp"

#include "shell/sdl/entry_field.hpp"
#include "shell/sdl/pixel_window.hpp"
#include "shell/values/utf8_bytes.hpp"

#include <SDL.h>

#include <string>
#include <vector>

namespace shell {

namespace {
// The box's layout, in its own pixels.
constexpr int kWidth = 375, kHeight = 140;
constexpr rt::PixelRect kOk{288, 12, 75, 24};
constexpr rt::PixelRect kCancel{288, 42, 75, 24};
constexpr rt::PixelRect kEntry{12, 100, 351, 24};
constexpr rt::Rgb kFace{240, 240, 240}, kButton{225, 225, 225}, kBlack{0, 0, 0}, kWhite{255, 255, 255};

constexpr int kTextInset = 4, kCaretWidth = 1;

bool inside(rt::PixelRect r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

// Ctrl+V: the clipboard's first line joins the entry.
void paste(EntryField& entry) {
    char* clipboard = SDL_GetClipboardText();
    if (!clipboard) return;
    entry.paste(clipboard);
    SDL_free(clipboard);
}

class Box {
public:
    Box(std::string_view title, std::string_view prompt, int scale, PictureStore& pictures, Fonts& fonts)
        : window_("the input box", std::string(title).c_str(), {kWidth, kHeight}, scale, SDL_WINDOW_SKIP_TASKBAR,
                  pictures, fonts),
          prompt_(prompt),
          scale_(scale) {}

    Uint32 id() const { return window_.id(); }
    // A window point in the box's own pixels.
    int at(int windowCoordinate) const { return windowCoordinate / scale_; }
    // The window was uncovered: draw it all again.
    void exposed() { drawn_ = false; }

    // Draws what changed since the last time: all of the box at first and once
    // uncovered, else the entry field if its text changed, else nothing.
    void draw(const std::string& entry) {
        if (drawn_ && entry == shownEntry_) return;
        if (!drawn_) face();
        field(entry);
        window_.present({device(drawn_ ? kEntry : rt::PixelRect{0, 0, kWidth, kHeight})});
        shownEntry_ = entry;
        drawn_ = true;
    }

private:
    rt::FontSpec font() const { return {nullptr, 12 * window_.density(), false}; }
    rt::PixelRect device(rt::PixelRect r) const {
        const int d = window_.density();
        return {r.x * d, r.y * d, r.w * d, r.h * d};
    }
    void fill(rt::PixelRect r, rt::Rgb color) { window_.canvas().fill(device(r), color); }

    // Everything but the entry field's text.
    void face() {
        rt::Canvas& canvas = window_.canvas();
        canvas.setClip(device({0, 0, kWidth, kHeight}));
        fill({0, 0, kWidth, kHeight}, kFace);
        canvas.text(prompt_, font(), kBlack, 12 * window_.density(), 12 * window_.density());
        button(kOk, "OK");
        button(kCancel, "Cancel");
    }

    void button(rt::PixelRect r, std::string_view label) {
        rt::Canvas& canvas = window_.canvas();
        fill(r, kBlack);
        fill({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, kButton);
        const rt::PixelRect d = device(r);
        canvas.text(label, font(), kBlack, d.x + (d.w - canvas.textWidth(label, font())) / 2,
                    d.y + (d.h - canvas.lineHeight(font())) / 2);
    }

    // The field with the end of the entry, where the caret is, in view.
    void field(const std::string& entry) {
        rt::Canvas& canvas = window_.canvas();
        const int d = window_.density();
        canvas.setClip(device(kEntry));
        fill(kEntry, kBlack);
        fill({kEntry.x + 1, kEntry.y + 1, kEntry.w - 2, kEntry.h - 2}, kWhite);
        const int room = (kEntry.w - 2 * kTextInset - kCaretWidth) * d;
        const auto width = [&](std::string_view text) { return canvas.textWidth(text, font()); };
        const std::string_view shown = std::string_view(entry).substr(shownFrom(entry, room, width));
        const int textX = (kEntry.x + kTextInset) * d, textY = (kEntry.y + kTextInset) * d;
        canvas.text(shown, font(), kBlack, textX, textY);
        canvas.fill({textX + width(shown), textY, kCaretWidth * d, 16 * d}, kBlack);
    }

    PixelWindow window_;
    std::string prompt_;
    int scale_;
    std::string shownEntry_;
    bool drawn_ = false;
};

bool ofBox(const SDL_Event& e, Uint32 id) {
    switch (e.type) {
        case SDL_KEYDOWN: return e.key.windowID == id;
        case SDL_TEXTINPUT: return e.text.windowID == id;
        case SDL_MOUSEBUTTONUP: return e.button.windowID == id;
        case SDL_WINDOWEVENT: return e.window.windowID == id;
        default: return false;
    }
}

bool isKey(const SDL_Event& e, SDL_Keycode key) { return e.type == SDL_KEYDOWN && e.key.keysym.sym == key; }

// Shows the box as it is for `ms` milliseconds, taking no input.
void hold(Box& box, const std::string& entry, double ms) {
    const Uint64 end = SDL_GetTicks64() + Uint64(ms);
    for (Uint64 now; (now = SDL_GetTicks64()) < end;) {
        box.draw(entry);
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, int(end - now)) && ofBox(e, box.id()) && e.type == SDL_WINDOWEVENT &&
            e.window.event == SDL_WINDOWEVENT_EXPOSED)
            box.exposed();
    }
}
}  // namespace

std::optional<std::string> InputBoxWindow::ask(std::string_view prompt, std::string_view title) {
    const RealClock::Still still(clock_);
    Box box(title, prompt, scale_, pictures_, fonts_);
    EntryField entry;
    std::optional<std::string> answer;
    SDL_StartTextInput();
    for (bool open = true; open;) {
        box.draw(entry.text());
        SDL_Event e;
        if (!SDL_WaitEvent(&e) || !ofBox(e, box.id())) continue;  // modal: other windows wait
        if (e.type == SDL_TEXTINPUT) entry.type(e.text.text);
        if (isKey(e, SDLK_BACKSPACE)) entry.erase();
        if (isKey(e, SDLK_v) && (e.key.keysym.mod & KMOD_CTRL)) paste(entry);
        if (isKey(e, SDLK_RETURN) || isKey(e, SDLK_KP_ENTER)) answer = entry.text(), open = false;
        if (isKey(e, SDLK_ESCAPE)) open = false;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED) box.exposed();
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
        if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT) {
            const int x = box.at(e.button.x), y = box.at(e.button.y);
            if (inside(kOk, x, y)) answer = entry.text(), open = false;
            if (inside(kCancel, x, y)) open = false;
        }
    }
    return answer;
}

void InputBoxWindow::show(std::string_view prompt, std::string_view title, const std::optional<std::string>& answer,
                          double speed) {
    const RealClock::Still still(clock_);
    Box box(title, prompt, scale_, pictures_, fonts_);
    const std::string typed = answer.value_or("");
    hold(box, "", kTypingMs / speed);
    for (std::size_t end = 1; end <= typed.size(); ++end)  // a character at a time
        if (end == typed.size() || !continuesCharacter(typed[end]))
            hold(box, typed.substr(0, end), kTypingMs / speed);
    hold(box, typed, kReadingMs / speed);
}

}  // namespace shell

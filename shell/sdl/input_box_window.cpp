#include "shell/sdl/input_box_window.hpp"

#include "shell/sdl/entry_field.hpp"
#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/x11_quirks.hpp"
#include "shell/sdl/sdl_canvas.hpp"

#include <SDL.h>

#include <algorithm>
#include <memory>

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
    Box(std::string_view title, int scale, PictureStore& pictures, Fonts& fonts) : scale_(scale) {
        window_ = SDL_CreateWindow(std::string(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kWidth * scale, kHeight * scale, SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_SKIP_TASKBAR);
        if (!window_) failSdl("cannot open the input box");
        // Drawn on the processor into the window's own pixels, as the screens are: a GPU
        // renderer would also have SDL make the window again, which costs it an X
        // colormap each time, and load the whole GL stack for one small box.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        renderer_ = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
        if (!renderer_) {
            destroyWindow(window_);
            failSdl("cannot draw the input box");
        }
        draw_ = std::max(1, surface->w / kWidth);
        canvas_ = std::make_unique<SdlCanvas>(renderer_, pictures, fonts, draw_ >= 2);
    }
    ~Box() {
        canvas_.reset();
        SDL_DestroyRenderer(renderer_);
        destroyWindow(window_);
    }
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    Uint32 id() const { return SDL_GetWindowID(window_); }
    // A window point in the box's own pixels.
    int at(int windowCoordinate) const { return windowCoordinate / scale_; }

    void draw(std::string_view prompt, const std::string& entry) {
        const rt::FontSpec font{nullptr, 12 * draw_, false};
        SDL_RenderSetClipRect(renderer_, nullptr);
        fill({0, 0, kWidth, kHeight}, kFace);
        canvas_->text(prompt, font, kBlack, 12 * draw_, 12 * draw_);
        button(kOk, "OK", font);
        button(kCancel, "Cancel", font);
        fill(kEntry, kBlack);
        fill({kEntry.x + 1, kEntry.y + 1, kEntry.w - 2, kEntry.h - 2}, kWhite);
        // The end of the entry, where the caret is, inside the field.
        const int room = (kEntry.w - 2 * kTextInset - kCaretWidth) * draw_;
        const auto width = [&](std::string_view text) { return canvas_->textWidth(text, font); };
        const std::string_view shown = std::string_view(entry).substr(shownFrom(entry, room, width));
        const int textX = (kEntry.x + kTextInset) * draw_, textY = (kEntry.y + kTextInset) * draw_;
        canvas_->text(shown, font, kBlack, textX, textY);
        canvas_->fill({textX + width(shown), textY, kCaretWidth * draw_, 16 * draw_}, kBlack);
        SDL_RenderPresent(renderer_);
        SDL_UpdateWindowSurface(window_);
    }

private:
    void fill(rt::PixelRect r, rt::Rgb color) {
        canvas_->fill({r.x * draw_, r.y * draw_, r.w * draw_, r.h * draw_}, color);
    }
    void button(rt::PixelRect r, std::string_view label, const rt::FontSpec& font) {
        fill(r, kBlack);
        fill({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, kButton);
        const int width = canvas_->textWidth(label, font);
        canvas_->text(label, font, kBlack, r.x * draw_ + (r.w * draw_ - width) / 2,
                      r.y * draw_ + (r.h * draw_ - canvas_->lineHeight(font)) / 2);
    }

    int scale_;
    int draw_ = 1;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<SdlCanvas> canvas_;
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
}  // namespace

std::optional<std::string> InputBoxWindow::ask(std::string_view prompt, std::string_view title) {
    clock_.pause();
    Box box(title, scale_, pictures_, fonts_);
    EntryField entry;
    std::optional<std::string> answer;
    SDL_StartTextInput();
    for (bool open = true; open;) {
        box.draw(prompt, entry.text());
        SDL_Event e;
        if (!SDL_WaitEvent(&e) || !ofBox(e, box.id())) continue;  // modal: other windows wait
        if (e.type == SDL_TEXTINPUT) entry.type(e.text.text);
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_BACKSPACE) entry.erase();
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_v && (e.key.keysym.mod & KMOD_CTRL)) paste(entry);
        if (e.type == SDL_KEYDOWN && (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER))
            answer = entry.text(), open = false;
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE) open = false;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
        if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT) {
            const int x = box.at(e.button.x), y = box.at(e.button.y);
            if (inside(kOk, x, y)) answer = entry.text(), open = false;
            if (inside(kCancel, x, y)) open = false;
        }
    }
    clock_.resume();
    return answer;
}

}  // namespace shell

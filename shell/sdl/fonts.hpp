// The fonts of the labels, found the system's way ("Comic Sans MS" bold is the
// real one where installed, else the nearest match, such as Comic Neue) and opened
// once per size.
#pragma once

#include "runtime/canvas.hpp"

#include <map>
#include <string>
#include <tuple>

typedef struct _TTF_Font TTF_Font;

namespace shell {

class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    TTF_Font* get(const rt::FontSpec& wanted);

private:
    std::map<std::tuple<std::string, int, bool>, TTF_Font*> open_;
};

}  // namespace shell

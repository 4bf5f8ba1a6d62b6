// Values shared by the layouts of several screens.
#pragma once

#include "runtime/layout.hpp"

namespace screens {

using enum rt::Kind;
using rt::Align;
using rt::rgb;
using rt::systemColor;

constexpr rt::Font comicBold(rt::Single points) { return {"Comic Sans MS", points, true}; }

constexpr const char* kIcon = "icoCarrot";
constexpr rt::Color kBlack = rgb(0, 0, 0);
constexpr rt::Color kWhite = rgb(255, 255, 255);
constexpr rt::Color kWindowBackground = systemColor(5);

}  // namespace screens

// The help screen: the rules and the score bands, white on dark green, with a
// Start button into the game.
#include "screens/common.hpp"
#include "screens/screens.hpp"

namespace screens {

namespace {
constexpr rt::ControlLayout controls[] = {
    {.kind = Label, .name = "Label1", .index = 3, .rect = {840, 5880, 4575, 375},
     .caption = "More than 120 Hits: You are the master of KRAX", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label1", .index = 5, .rect = {840, 4920, 3735, 375},
     .caption = "More than 70 Hits: Not Bad, not Bad", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label1", .index = 4, .rect = {840, 5400, 3255, 375},
     .caption = "More than 90 Hits: Fantastic Score", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label1", .index = 2, .rect = {840, 4440, 4095, 375},
     .caption = "Less than 70 Hits: You can do much better", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label1", .index = 1, .rect = {840, 3840, 2055, 375},
     .caption = "Just for orientation:", .font = comicBold(9.75), .fore = kWhite},
    {.kind = Image, .name = "Image2", .rect = {4920, 6960, 990, 990}, .picture = "gifStartButtonGreen"},
    {.kind = Label, .name = "Label2", .index = 2, .rect = {1320, 2640, 3855, 615},
     .caption = "After shooting 6 carots, you have to reload by clicking the \"Reload\" window", .font = comicBold(9),
     .fore = kWhite},
    {.kind = Label, .name = "Label2", .index = 0, .rect = {1320, 1800, 3615, 615},
     .caption = "But be careful enough not to hit the cute doggies...", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label2", .index = 1, .rect = {1320, 960, 3855, 615},
     .caption = "Try to hit as many pigs as you can in 60 seconds.", .font = comicBold(9), .fore = kWhite},
    {.kind = Label, .name = "Label1", .index = 0, .rect = {1320, 360, 3615, 375},
     .caption = "The Gameplay is pretty simple:", .font = comicBold(9.75), .fore = kWhite},
    {.kind = Image, .name = "Image1", .rect = {-240, 6600, 1950, 1590}, .picture = "gifTractorRight"},
    {.kind = Shape, .name = "Shape1", .rect = {0, 0, 6375, 8055}, .back = rgb(0, 123, 0), .border = {}},
};
}  // namespace

const rt::FormLayout Form7 = {
    .name = "Form7",
    .caption = "Help",
    .clientWidth = 6090,
    .clientHeight = 8040,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = controls,
};

}  // namespace screens

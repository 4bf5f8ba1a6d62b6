// The menu screen, the one the program opens on.
#include "screens/common.hpp"
#include "screens/screens.hpp"

namespace screens {

namespace {
constexpr rt::ControlLayout controls[] = {
    {.kind = Image, .name = "Image7", .rect = {3360, 4800, 630, 630}, .picture = "gifHelpButton"},
    {.kind = Image, .name = "Image6", .rect = {360, 120, 2040, 1020}, .picture = "gifTitle"},
    {.kind = Image, .name = "Image5", .rect = {4800, 4680, 945, 945}, .picture = "gifStartButton"},
    {.kind = Image, .name = "Image4", .rect = {120, 5040, 2310, 840}, .picture = "gifMakerLogo"},
    {.kind = Image, .name = "Image1", .rect = {240, 1200, 1845, 1335}, .picture = "gifCarrot"},
    {.kind = Image, .name = "Image2", .rect = {3000, 0, 2925, 2115}, .picture = "gifFarmScene"},
    {.kind = Image, .name = "Image3", .rect = {1200, 2040, 3900, 2415}, .picture = "gifMudPig"},
    {.kind = Shape, .name = "Shape1", .rect = {-120, 0, 6255, 5895}, .back = kWhite, .border = {1, kWhite}},
};
}  // namespace

const rt::FormLayout Form1 = {
    .name = "Form1",
    .caption = "KRAX 1.0",
    .clientWidth = 6075,
    .clientHeight = 5880,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = controls,
};

}  // namespace screens

// The reload screen: a small borderless window raised over the game screen when the
// gun is empty; its one button reloads and returns to the round.
#include "screens/common.hpp"
#include "screens/screens.hpp"

namespace screens {

namespace {
constexpr rt::ControlLayout controls[] = {
    {.kind = Image, .name = "Image2", .rect = {840, 840, 1380, 555}, .picture = "gifReloadButton", .border = {1, kBlack}},
    {.kind = Image, .name = "Image1", .rect = {0, 0, 2985, 2220}, .picture = "gifReloadCarrot"},
};
}  // namespace

const rt::FormLayout frmCredits = {
    .name = "frmCredits",
    .caption = "",
    .style = rt::WindowStyle::Borderless,
    .clientWidth = 2985,
    .clientHeight = 2220,
    .icon = nullptr,
    .pointer = kIcon,
    .back = kBlack,
    .picture = "gifReloadCarrot",
    .controls = controls,
};

}  // namespace screens

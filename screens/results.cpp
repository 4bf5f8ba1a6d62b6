// The four result screens, one per score band: a landscape on top, a headline and
// a score line over the lower half, a picture and the Play Again button.
#include "screens/common.hpp"
#include "screens/screens.hpp"

namespace screens {

namespace {
constexpr rt::Border kLowerHalfBorder = {1, kWhite};

// 71 to 90 hits.
constexpr rt::ControlLayout form3Controls[] = {
    {.kind = Image, .name = "Image3", .rect = {3600, 3960, 990, 990}, .picture = "gifPlayAgainButton"},
    {.kind = Label, .name = "Label4", .rect = {2880, 3480, 2055, 255}, .caption = "More Than 70 Pigs !", .font = comicBold(9.75)},
    {.kind = Label, .name = "Label1", .rect = {2400, 2280, 2415, 735}, .caption = "You Won !", .font = comicBold(24)},
    {.kind = Image, .name = "Image1", .rect = {-240, 0, 5310, 2175}, .picture = "gifHillLandscape"},
    {.kind = Image, .name = "Image2", .rect = {-120, 2760, 2910, 2160}, .picture = "gifTwoCarrots"},
    {.kind = Shape, .name = "Shape1", .rect = {-120, 2160, 4935, 2895}, .back = kWindowBackground, .border = kLowerHalfBorder},
};

// The lost round, 70 hits or fewer.
constexpr rt::ControlLayout form4Controls[] = {
    {.kind = Image, .name = "Image3", .rect = {3480, 3960, 990, 990}, .picture = "gifPlayAgainButton"},
    {.kind = Label, .name = "Label4", .rect = {2400, 0, 2055, 255}, .caption = "Less Than 70 Pigs !", .font = comicBold(9.75)},
    {.kind = Image, .name = "Image1", .rect = {0, -120, 5310, 2175}, .picture = "gifHillLandscape"},
    {.kind = Label, .name = "Label1", .rect = {2160, 2400, 2415, 735}, .caption = "You lost !", .font = comicBold(24)},
    {.kind = Image, .name = "Image2", .rect = {-480, 2280, 3915, 2475}, .picture = "gifMudPigLarge"},
    {.kind = Shape, .name = "Shape1", .rect = {0, 2040, 4935, 3135}, .back = kWindowBackground, .border = kLowerHalfBorder},
};

// 91 to 120 hits.
constexpr rt::ControlLayout form5Controls[] = {
    {.kind = Label, .name = "Label1", .rect = {2160, 2280, 2415, 735}, .caption = "You Won !", .font = comicBold(24)},
    {.kind = Label, .name = "Label4", .rect = {2520, 3480, 2055, 255}, .caption = "More Than 90 Pigs !", .font = comicBold(9.75)},
    {.kind = Image, .name = "Image2", .rect = {-360, 2760, 2910, 2160}, .picture = "gifTwoCarrots"},
    {.kind = Image, .name = "Image1", .rect = {-360, 0, 5310, 2175}, .picture = "gifHillLandscape"},
    {.kind = Image, .name = "Image3", .rect = {3600, 3840, 990, 990}, .picture = "gifPlayAgainButton"},
    {.kind = Shape, .name = "Shape1", .rect = {0, 2160, 4935, 3375}, .back = kWindowBackground, .border = kLowerHalfBorder},
};

// 121 hits or more.
constexpr rt::ControlLayout form6Controls[] = {
    {.kind = Label, .name = "Label1", .rect = {1320, 2160, 3375, 735}, .caption = "Congratulations !", .font = comicBold(20.25)},
    {.kind = Label, .name = "Label4", .rect = {2520, 3360, 2055, 255}, .caption = "More Than 120 Pigs !", .font = comicBold(9.75)},
    {.kind = Image, .name = "Image2", .rect = {-240, 2640, 2910, 2160}, .picture = "gifTwoCarrots"},
    {.kind = Image, .name = "Image1", .rect = {-120, 0, 5310, 2175}, .picture = "gifHillLandscape"},
    {.kind = Image, .name = "Image3", .rect = {3600, 3840, 990, 990}, .picture = "gifPlayAgainButton"},
    {.kind = Shape, .name = "Shape1", .rect = {0, 2160, 5175, 3375}, .back = kWindowBackground, .border = kLowerHalfBorder},
};
}  // namespace

const rt::FormLayout Form3 = {
    .name = "Form3",
    .caption = "You Won !",
    .clientWidth = 4800,
    .clientHeight = 5025,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = form3Controls,
};

// The window caption is capitalised, the headline is not.
const rt::FormLayout Form4 = {
    .name = "Form4",
    .caption = "You Lost !",
    .clientWidth = 4605,
    .clientHeight = 5130,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = form4Controls,
};

const rt::FormLayout Form5 = {
    .name = "Form5",
    .caption = "You Won !",
    .clientWidth = 4755,
    .clientHeight = 4920,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = form5Controls,
};

const rt::FormLayout Form6 = {
    .name = "Form6",
    .caption = "Incredible !",
    .clientWidth = 4710,
    .clientHeight = 4935,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = form6Controls,
};

}  // namespace screens

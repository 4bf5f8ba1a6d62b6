// The game screen: the farm with its eight holes, the score and clock labels, the
// carrot row, the end-of-round cover and buttons, and the timers that run a round.
#include "screens/common.hpp"
#include "screens/screens.hpp"

namespace screens {

namespace {
constexpr rt::ControlLayout controls[] = {
    // The gun picture boxes are child windows: in front of everything else.
    {.kind = PictureBox, .name = "picGunfr", .rect = {480, 8280, 1005, 1500}, .visible = false, .picture = "gifGunRight"},
    {.kind = PictureBox, .name = "picGunr1", .rect = {4680, 8280, 1005, 1500}, .visible = false, .picture = "gifGunLeft"},
    {.kind = PictureBox, .name = "picGunfl", .rect = {3960, 8280, 1005, 1500}, .visible = false, .picture = "gifGunLeft"},
    {.kind = PictureBox, .name = "picGunl1", .rect = {1800, 8280, 1005, 1500}, .picture = "gifGunRight"},

    // In front of the end-of-round cover: score, banner, Continue buttons and hole 8.
    {.kind = Label, .name = "lblHit", .rect = {1920, 3480, 3135, 1935}, .visible = false,
     .caption = "Your Score is", .font = comicBold(18), .opaque = true, .back = kWhite},
    {.kind = Image, .name = "imgP8", .index = 0, .rect = {4440, 960, 870, 1110}, .visible = false, .picture = "gifDogLeftSky"},
    {.kind = Image, .name = "imgSplat8", .index = 0, .rect = {4560, 1200, 630, 600}, .visible = false, .picture = "gifMinusFiveSky"},
    {.kind = Image, .name = "Image12", .rect = {4680, 5520, 990, 990}, .visible = false, .picture = "gifContinueButton"},
    {.kind = Image, .name = "Image11", .rect = {4680, 5520, 990, 990}, .visible = false, .picture = "gifContinueButton"},
    {.kind = Image, .name = "Image10", .rect = {4680, 5520, 990, 990}, .visible = false, .picture = "gifContinueButton"},
    {.kind = Image, .name = "Image9", .rect = {240, 1560, 6300, 1500}, .visible = false, .picture = "gifGameOverBanner"},
    {.kind = Image, .name = "Image8", .rect = {4680, 5520, 990, 990}, .visible = false, .picture = "gifContinueButton"},

    // The end-of-round cover, reaching past the client area on every side.
    {.kind = Label, .name = "Label5", .rect = {-120, -360, 7095, 19575}, .visible = false, .opaque = true, .back = kWindowBackground},

    // The playfield, hidden by the cover.
    {.kind = Shape, .name = "shpTimeBar", .rect = {240, 120, 3069, 135}, .visible = false, .back = rgb(255, 192, 192), .border = {1, {}}},
    {.kind = Image, .name = "Image7", .rect = {3720, 0, 1620, 420}, .visible = false, .picture = "gifMakerLogoSmall"},
    {.kind = Image, .name = "Image6", .rect = {6120, 2760, 660, 1155}, .picture = "gifBalloon"},
    {.kind = Image, .name = "imgP1", .index = 4, .rect = {4440, 5520, 1155, 870}, .visible = false, .picture = "gifPigLeftGrass"},
    {.kind = Image, .name = "imgSplat1", .index = 4, .rect = {5760, 5640, 630, 600}, .visible = false, .picture = "gifPlusOneGrass"},
    {.kind = Image, .name = "imgP2", .index = 2, .rect = {1320, 6720, 1455, 1140}, .visible = false, .picture = "gifPigLeftHay"},
    {.kind = Image, .name = "Image4", .rect = {4320, 6480, 3210, 2160}, .picture = "gifTractorLeft", .stretch = true},
    {.kind = Label, .name = "lblMTime", .rect = {5520, 120, 615, 255}, .visible = false,
     .caption = "Time:", .font = comicBold(9.75), .fore = kBlack, .align = Align::Right},
    {.kind = Label, .name = "lblTime", .rect = {6240, 120, 375, 255}, .visible = false,
     .caption = "0", .font = comicBold(9.75), .fore = kBlack},
    {.kind = Label, .name = "lblHits", .rect = {5640, 480, 1095, 255},
     .caption = "Hits: 0", .font = comicBold(9.75), .fore = kBlack},
    {.kind = Image, .name = "imgP5", .index = 3, .rect = {1680, 5520, 1155, 870}, .visible = false, .picture = "gifPigRightGrass"},
    {.kind = Image, .name = "imgP4", .index = 1, .rect = {5400, 1680, 1395, 1050}, .visible = false, .picture = "gifPigRightSky"},
    {.kind = Image, .name = "imgP3", .index = 0, .rect = {2520, 1080, 1395, 1050}, .visible = false, .picture = "gifPigLeftSky"},
    {.kind = Image, .name = "imgSplat5", .index = 3, .rect = {840, 5640, 630, 600}, .visible = false, .picture = "gifPlusOneGrass"},
    {.kind = Image, .name = "imgSplat2", .index = 2, .rect = {480, 6600, 630, 600}, .visible = false, .picture = "gifPlusOneGrass"},
    {.kind = Image, .name = "imgSplat3", .index = 0, .rect = {3000, 1080, 630, 600}, .visible = false, .picture = "gifPlusOneSky"},
    {.kind = Image, .name = "imgSplat4", .index = rt::kNoIndex, .rect = {5520, 1680, 630, 600}, .visible = false, .picture = "gifPlusOneSky"},
    {.kind = Label, .name = "lblLevel", .rect = {5400, 840, 1215, 375}, .visible = false,
     .caption = "Level 1", .font = comicBold(12), .fore = kBlack, .align = Align::Center},
    {.kind = Image, .name = "bullet1", .rect = {3240, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "bullet2", .rect = {3600, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "bullet3", .rect = {3960, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "bullet4", .rect = {4320, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "bullet5", .rect = {4680, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "bullet6", .rect = {5040, 480, 255, 375}, .visible = false, .picture = "gifCarrotBullet", .stretch = true},
    {.kind = Image, .name = "imgP6", .index = 3, .rect = {1680, 6720, 840, 1140}, .visible = false, .picture = "gifDogRightGrass"},
    {.kind = Image, .name = "imgSplat6", .index = 3, .rect = {480, 6600, 630, 600}, .visible = false, .picture = "gifMinusFiveGrass"},
    {.kind = Image, .name = "Image3", .rect = {4080, -960, 4860, 2190}, .picture = "gifSkyClouds"},
    // Shown, but wholly behind Image3.
    {.kind = Label, .name = "lblBullets", .rect = {5640, 600, 1335, 255}, .caption = "Bullets: 0", .fore = systemColor(1)},
    {.kind = Image, .name = "Image5", .rect = {6120, 2760, 660, 1155}, .picture = "gifBalloon"},
    {.kind = Image, .name = "imgP7", .index = 4, .rect = {3240, 6120, 750, 1020}, .visible = false, .picture = "gifDogRightGrassSmall"},
    {.kind = Image, .name = "imgSplat7", .index = 4, .rect = {3360, 6360, 630, 600}, .visible = false, .picture = "gifMinusFiveGrass"},
    {.kind = Shape, .name = "Shape1", .rect = {0, 5400, 7335, 3135}, .back = rgb(0, 127, 0), .border = {3, kBlack}},
    {.kind = Image, .name = "Image1", .rect = {0, 360, 6885, 5175}, .picture = "gifFarmBackdrop"},
    {.kind = Image, .name = "Image2", .rect = {-360, -1080, 4860, 2190}, .picture = "gifSkyClouds"},

    // Timers; ticks due at the same moment run in this order.
    {.kind = Timer, .name = "tmrTime", .interval = 1000, .enabled = false},
    {.kind = Timer, .name = "tmrAppear", .interval = 1000, .enabled = false},
    {.kind = Timer, .name = "tmrWin", .interval = 1, .enabled = false},
    {.kind = Timer, .name = "tmrBlink", .interval = 50, .enabled = false},
    {.kind = Timer, .name = "tmrVerifyBlink", .interval = 1, .enabled = true},
    {.kind = Timer, .name = "tmrLevel", .interval = 1, .enabled = true},
    {.kind = Timer, .name = "tmrBullets", .interval = 1, .enabled = true},
    {.kind = Timer, .name = "tmrDisappear1", .interval = 500, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear2", .interval = 500, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear3", .interval = 500, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear4", .interval = 400, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear5", .interval = 500, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear6", .interval = 150, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear7", .interval = 150, .enabled = false},
    {.kind = Timer, .name = "tmrDisappear8", .interval = 150, .enabled = false},
    {.kind = Timer, .name = "Timer1", .interval = 1000, .enabled = true},
    {.kind = Timer, .name = "Timer2", .interval = 200, .enabled = true},
    {.kind = Timer, .name = "Timer3", .interval = 4500, .enabled = true},
};
}  // namespace

const rt::FormLayout Form2 = {
    .name = "Form2",
    .caption = "KRAX 1.0",
    .clientWidth = 6810,
    .clientHeight = 8010,
    .icon = kIcon,
    .pointer = kIcon,
    .controls = controls,
};

}  // namespace screens

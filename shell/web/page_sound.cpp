#include "shell/web/page_sound.hpp"

#include "shell/web/browser.hpp"

#include <emscripten/emscripten.h>

#include <string>

namespace shell {

namespace {
PageSound* pageSound = nullptr;  // the page's one, for the speaker control
}  // namespace

PageSound::PageSound(rt::App& app, bool remember) : hearing_(app, false) {
    // The samples are copied into the page's buffers; these go once that is done.
    const sound::Bank bank;
    for (std::size_t i = 0; i < sound::kEffectCount; ++i) {
        const auto effect = sound::Effect(i);
        const auto samples = bank.samples(effect);
        kraxSoundLoad(int(i), std::string(sound::nameOf(effect)).c_str(), samples.data(), int(samples.size()));
    }
    hearing_.setMuted(kraxSoundRemembered());
    kraxSoundShow(hearing_.muted(), false);
    hearing_.setSink([](sound::Effect effect) { kraxSoundPlay(int(effect)); });
    hearing_.setOnMuteKey([remember](bool muted) { kraxSoundShow(muted, remember); });
    pageSound = this;
}

PageSound::~PageSound() { pageSound = nullptr; }

void PageSound::switchOver() {
    hearing_.setMuted(!hearing_.muted());
    kraxSoundShow(hearing_.muted(), true);
}

}  // namespace shell

// The page's speaker control: sound off, or on again.
extern "C" EMSCRIPTEN_KEEPALIVE void krax_sound_switch() {
    if (shell::pageSound) shell::pageSound->switchOver();
}

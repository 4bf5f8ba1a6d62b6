#include "shell/link/state_digest.hpp"

#include "shell/link/float_bits.hpp"
#include "shell/script/state_dump.hpp"
#include "shell/values/state_paths.hpp"

#include <string>

namespace shell {

namespace {
// FNV-1a over whole numbers rather than bytes: a digest, not a defence.
class Digest {
public:
    void add(std::string_view text) {
        add(std::int64_t(text.size()));
        for (const char c : text) add(std::int64_t(c));
    }
    void add(std::int64_t n) {
        value_ ^= std::uint64_t(n);
        value_ *= 0x100000001b3ULL;
        value_ ^= value_ >> 29;
    }
    // Each kind of value apart, so that 1 and True and "1" differ.
    void add(const rt::Value& value) {
        add(std::int64_t(value.index()));
        std::visit([this](const auto& v) { addOne(v); }, value);
    }
    std::uint64_t value() const { return value_; }

private:
    void addOne(bool b) { add(std::int64_t(b)); }
    void addOne(rt::Integer n) { add(std::int64_t(n.value())); }
    void addOne(rt::Long n) { add(std::int64_t(n)); }
    void addOne(rt::Single x) { add(std::int64_t(bitsOf(x))); }
    void addOne(const std::string& s) { add(std::string_view(s)); }

    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

void addScreen(Digest& digest, const rt::Form& form) {
    for (const ScreenValue& value : kScreenValues) digest.add(value.read(form));
    for (const auto& variable : form.variables()) digest.add(valueOf(variable.second));
    for (const auto& control : form.controls())
        for (std::string_view property : kControlProperties)
            if (const auto value = control->get(property)) digest.add(*value);
}
}  // namespace

std::uint64_t stateDigest(rt::App& app) {
    Digest digest;
    for (const AppValue& value : kAppValues) digest.add(value.read(app));
    for (const std::string& name : app.formNames()) addScreen(digest, app.form(name));
    return digest.value();
}

}  // namespace shell

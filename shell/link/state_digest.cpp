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

void addScreen(Digest& digest, rt::App& app, const rt::Form& form) {
    for (std::string_view name : kScreenValues)
        digest.add(findSlot(app, std::string(form.name()) + "." + std::string(name)).read());
    for (const auto& variable : form.variables()) digest.add(valueOf(variable.second));
    for (const auto& control : form.controls())
        for (std::string_view property : kControlProperties)
            if (const auto value = control->get(property)) digest.add(*value);
}
}  // namespace

std::uint64_t stateDigest(rt::App& app) {
    Digest digest;
    for (std::string_view name : kAppValues) digest.add(findSlot(app, "App." + std::string(name)).read());
    for (const std::string& name : app.formNames()) addScreen(digest, app, app.form(name));
    return digest.value();
}

}  // namespace shell

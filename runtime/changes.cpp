#include "runtime/changes.hpp"

#include <algorithm>

namespace rt {

// Only the first write of a field in an event knows the value from before it.
void Changes::remember(const void* field, std::function<bool()> unchanged) {
    const bool known = std::any_of(writes_.begin(), writes_.end(), [&](const Write& w) { return w.field == field; });
    if (!known) writes_.push_back({field, std::move(unchanged)});
}

void Changes::end() {
    const bool changed =
        lasting_ || std::any_of(writes_.begin(), writes_.end(), [](const Write& w) { return !w.unchanged(); });
    if (changed) ++count_;
    writes_.clear();
    lasting_ = false;
    open_ = false;
}

}  // namespace rt

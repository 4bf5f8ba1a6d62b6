#include "pictures/pictures.hpp"

#include <algorithm>

namespace pictures {

const Picture* find(std::string_view name) {
    const auto pictures = all();
    const auto it = std::find_if(pictures.begin(), pictures.end(), [&](const Picture& p) { return p.name == name; });
    return it == pictures.end() ? nullptr : &*it;
}

}  // namespace pictures

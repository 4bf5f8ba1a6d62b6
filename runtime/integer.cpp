#include "runtime/integer.hpp"

#include <cmath>
#include <ostream>

namespace rt {

Integer CInt(Single x) {
    // The default rounding mode rounds ties to even.
    const double rounded = std::nearbyint(double(x));
    if (!(rounded >= Integer::kMin && rounded <= Integer::kMax)) throw Error::overflow();
    return Integer(int(rounded));
}

std::ostream& operator<<(std::ostream& out, Integer n) { return out << n.value(); }

}  // namespace rt

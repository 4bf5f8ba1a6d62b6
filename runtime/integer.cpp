#include "runtime/integer.hpp"

#include <cmath>

namespace rt {

Integer CInt(Single x) {
    // The default rounding mode rounds ties to even.
    const double rounded = std::nearbyint(double(x));
    if (!(rounded >= Integer::kMin && rounded <= Integer::kMax)) throw Error::overflow();
    return Integer(int(rounded));
}

}  // namespace rt

#include "screens/screens.hpp"

namespace screens {

std::array<const rt::FormLayout*, 8> all() {
    return {&Form1, &Form2, &Form3, &Form4, &Form5, &Form6, &Form7, &frmCredits};
}

}  // namespace screens

#include "runtime/variable.hpp"

#include "runtime/app.hpp"
#include "runtime/form.hpp"

namespace rt {

template <class T>
Var<T>::Var(Form& form, std::string name) : changes_(form.app().changes()) {
    form.declare(std::move(name), *this);
}

template Var<Integer>::Var(Form&, std::string);
template Var<std::string>::Var(Form&, std::string);

}  // namespace rt

#include "runtime/variable.hpp"

#include "runtime/app.hpp"
#include "runtime/form.hpp"

namespace rt {

template <class T>
Var<T>::Var(Form& form, std::string name) : form_(form) {
    form.declare(std::move(name), *this);
}

template <class T>
Var<T>& Var<T>::operator=(T value) {
    form_.app().changes().assign(value_, std::move(value));
    return *this;
}

template class Var<Integer>;
template class Var<std::string>;

}  // namespace rt

// A screen's variable. It reads like its value; storing a different value is a change
// of the program's state, which the runtime needs to know about: a timer whose last
// tick changed nothing sleeps until something changes (see App). A screen keeps all
// of its state in these, never in plain members, or a sleeping timer would miss it.
#pragma once

#include "runtime/changes.hpp"
#include "runtime/integer.hpp"

#include <concepts>
#include <string>

namespace rt {

class Form;

template <class T>
class Var {
public:
    // Declares the variable on its form under `name`, where tools find it.
    Var(Form& form, std::string name);
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;

    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    int value() const
        requires std::same_as<T, Integer>
    {
        return value_.value();
    }

    Var& operator=(T value) {
        changes_.assign(value_, std::move(value));
        return *this;
    }

    friend bool operator==(const Var& a, const T& b) { return a.value_ == b; }

private:
    Changes& changes_;
    T value_{};
};

extern template Var<Integer>::Var(Form&, std::string);
extern template Var<std::string>::Var(Form&, std::string);

}  // namespace rt

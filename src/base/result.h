#pragma once

// A value or the reason it could not be had. Steps that may fail on bad input
// return one of these; programming errors stay assertions. Every layer uses it, so
// it lives below them all.

#include <cassert>
#include <utility>
#include <variant>

namespace brisvel {

template <class T, class E>
class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Reaching for the value of an error, or the error of a value, is a programming
    // error: asserted, never thrown.
    T& value() & { return *std::get_if<0>(&checked(true)); }
    const T& value() const& { return *std::get_if<0>(&checked(true)); }
    T&& value() && { return std::move(*std::get_if<0>(&checked(true))); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return *std::get_if<1>(&checked(false)); }

  private:
    std::variant<T, E>& checked([[maybe_unused]] bool wantValue) {
        assert(ok() == wantValue);
        return v_;
    }
    const std::variant<T, E>& checked([[maybe_unused]] bool wantValue) const {
        assert(ok() == wantValue);
        return v_;
    }

    std::variant<T, E> v_;
};

// For steps that give nothing back but may fail.
struct Done {};

}  // namespace brisvel

#pragma once

#include <utility>
#include <variant>

namespace brisvel {

// A value or the reason it could not be had. Steps that may fail on bad input
// return one of these; programming errors stay assertions.
template <class T, class E>
class Result {
  public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, E> v_;
};

// For steps that give nothing back but may fail.
struct Done {};

}  // namespace brisvel

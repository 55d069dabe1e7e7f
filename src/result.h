// Error plumbing shared by every module: fallible calls return Result<T>,
// broken invariants and matching errors throw InternalFailure.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace kalvesta {

// An internal failure (a matching error, a broken invariant). The Python
// layer raises it as PanicException; it never reaches the caller as a value.
class InternalFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Either a value or an error message meant for the caller (ValueError).
template <class T>
class Result {
 public:
  static Result ok(T value) { return Result(std::in_place_index<0>, std::move(value)); }
  static Result err(std::string message) { return Result(std::in_place_index<1>, std::move(message)); }

  bool is_ok() const { return state_.index() == 0; }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const std::string& error() const { return std::get<1>(state_); }

 private:
  template <std::size_t I, class V>
  Result(std::in_place_index_t<I> tag, V&& v) : state_(tag, std::forward<V>(v)) {}
  std::variant<T, std::string> state_;
};

}  // namespace kalvesta

#pragma once

#include <string>
#include <utility>
#include <variant>

namespace qm {

// A failure carries a message for the developer; the user-facing texts live
// beside the code that shows them.
struct Error {
  std::string message;
};

// Value or error, for fallible operations whose reason matters.
template <class T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace qm

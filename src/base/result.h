#pragma once

#include <optional>
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

// Done or error, for fallible operations that give nothing back: success is
// `return {};`, so no caller reads a value that means nothing.
template <>
class Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)) {}

  bool ok() const { return !error_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Error& error() const { return *error_; }

 private:
  std::optional<Error> error_;
};

}  // namespace qm

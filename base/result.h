// Errors as values: a Result holds either what was asked for or an Error whose
// message tells the user what went wrong and, where it can, what to do about it.
// Readers of outside data (pictures, packs, replays, saves) return these and never
// throw.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace shirakaba {

struct Error {
  std::string message;
};

// An Error from a message: `return fail("picture 3 is cut short");`
inline Error fail(std::string message) { return Error{std::move(message)}; }

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  // The error's message; only when !ok().
  const std::string& error() const { return std::get<1>(v_).message; }

 private:
  std::variant<T, Error> v_;
};

// Success with nothing to return, or an Error.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)) {}

  bool ok() const { return !error_.has_value(); }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_->message; }

 private:
  std::optional<Error> error_;
};

}  // namespace shirakaba

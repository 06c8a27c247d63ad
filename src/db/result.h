#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace zelbor::db {

// A failed file operation. The message names the file and the system's reason and is fit to be
// shown to the user as it stands.
struct FileError {
  std::string path;
  std::string message;
};

// The value of an operation that can fail with a FileError.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(FileError error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const FileError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, FileError> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(FileError error) : error_(std::move(error)) {}

  bool ok() const { return !error_.has_value(); }
  explicit operator bool() const { return ok(); }
  const FileError& error() const { return *error_; }

 private:
  std::optional<FileError> error_;
};

}  // namespace zelbor::db

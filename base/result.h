#pragma once
// Errors are values: every operation that can fail returns a Result that carries
// what went wrong and where. Only the front ends (window, mmatool) turn it into words
// for a person.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quillet {

enum class ErrorCode {
  FileNotReadable,  // the file could not be opened or read
  FileNotWritable,  // the file could not be created, written or renamed
  FileTooShort,     // no room for the header, record 0 to 8 or the byte at offset 41
  BadRecordTable,   // the record table is inconsistent in a way that cannot be loaded
  DataOutOfRange,   // an item's data lies outside the data area
  TooManyItems,     // more main-menu items than the record table can hold
  DataTooLong,      // item data or a running offset beyond 65,535 bytes
  LimitExceeded,    // a value does not fit a capacity limit of the item model
  InvalidValue,     // text that does not convert (numbers, icon texts)
  NoDocument,       // an operation that needs an open document was given none
  PhoneError,       // the phone link failed (its message names the step)
};

struct Error {
  ErrorCode code;
  std::string message;                // one sentence for a person, names the place
  std::string path;                   // file involved, if any
  std::optional<std::size_t> offset;  // file offset involved, if any
  std::optional<int> record;          // record index involved, if any
  std::string detail = {};            // the reason below the message, from the layer that failed
  // Plain sentences after the reason, one a line: what happened, in what state it left
  // things, where a backup is.
  std::vector<std::string> notes = {};
};

// A value or an Error. Small on purpose: the project targets C++20 (no std::expected).
template <typename T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : v_(std::move(error)) {}  // NOLINT
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(v_); }
  const T& value() const { return std::get<0>(v_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

// For operations that return nothing on success.
struct Done {};
using Status = Result<Done>;
inline Status Ok() { return Done{}; }

}  // namespace quillet

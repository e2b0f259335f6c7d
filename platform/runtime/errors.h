// Run-time errors with numbers, and the resume-next mode that skips a failing statement.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace tk {

enum ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kBadFileNameOrNumber = 52,
  kFileNotFound = 53,
  kBadFileMode = 54,
  kFileAlreadyOpen = 55,
  kInputPastEndOfFile = 62,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kObjectRequired = 424,
  kCantCreateObject = 429,
  kObjectDoesntSupportProperty = 438,
};

// The standard description of an error number ("Overflow", "Subscript out of range", ...).
std::string ErrorDescription(int number);

class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, std::string description);
  explicit RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}
  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int number_;
  std::string description_;
};

[[noreturn]] void Raise(int number);
[[noreturn]] void Raise(int number, std::string description);

// The last error a resume-next procedure trapped, like the runtime's Err object.
struct TrappedError {
  int number = 0;
  std::string description;
  explicit operator bool() const { return number != 0; }
};

// Runs `statement` and hands back the run-time error or the allocation failure that left
// it, as the error trapped; false when it ran through. Anything else still rises.
template <class Statement>
TrappedError Trap(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError& e) {
    return {e.number(), e.description()};
  } catch (const std::bad_alloc&) {
    return {kOutOfMemory, ErrorDescription(kOutOfMemory)};
  }
  return {};
}

// Resume-next mode for one procedure. Each statement runs through the object; while the
// mode is on, a run-time error abandons only that statement, and the procedure goes on
// with the next one. While it is off, the error rises to the caller.
//
//   tk::ResumeNext next(!DebugMode);
//   next([&] { lblPlayer1.SetCaption(...); });
//   next([&] { lblPlayer2.SetCaption(...); });
class ResumeNext {
 public:
  explicit ResumeNext(bool on = true) : on_(on) {}

  template <class Statement>
  void operator()(Statement&& statement) {
    if (!on_) {
      statement();
      return;
    }
    if (TrappedError e = Trap(statement)) last_ = std::move(e);
  }

  const TrappedError& last() const { return last_; }

 private:
  bool on_;
  TrappedError last_;
};

}  // namespace tk

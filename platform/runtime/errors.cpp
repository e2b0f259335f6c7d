#include "runtime/errors.h"

#include <utility>

namespace tk {

std::string ErrorDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kOutOfMemory:
      return "Out of memory";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kDivisionByZero:
      return "Division by zero";
    case kTypeMismatch:
      return "Type mismatch";
    case kBadFileNameOrNumber:
      return "Bad file name or number";
    case kFileNotFound:
      return "File not found";
    case kBadFileMode:
      return "Bad file mode";
    case kFileAlreadyOpen:
      return "File already open";
    case kInputPastEndOfFile:
      return "Input past end of file";
    case kPermissionDenied:
      return "Permission denied";
    case kPathFileAccessError:
      return "Path/File access error";
    case kObjectRequired:
      return "Object required";
    case kCantCreateObject:
      return "ActiveX component can't create object";
    case kObjectDoesntSupportProperty:
      return "Object doesn't support this property or method";
    default:
      return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(std::move(description)) {}

void Raise(int number) {
  throw RuntimeError(number);
}
void Raise(int number, std::string description) {
  throw RuntimeError(number, std::move(description));
}

}  // namespace tk

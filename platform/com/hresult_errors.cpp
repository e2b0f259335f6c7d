#include "com/hresult_errors.h"

#include <utility>

namespace com {

namespace {

int NumberFor(HRESULT hr) {
  if (IsRuntimeErrorHResult(hr)) return static_cast<int>(static_cast<std::uint32_t>(hr) & 0xFFFF);
  switch (hr) {
    case DISP_E_OVERFLOW:
      return tk::kOverflow;
    case DISP_E_TYPEMISMATCH:
      return tk::kTypeMismatch;
    case E_OUTOFMEMORY:
      return tk::kOutOfMemory;
    case E_INVALIDARG:
      return tk::kInvalidProcedureCall;
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
      return tk::kObjectDoesntSupportProperty;
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL:
      return kErrWrongArgumentCount;
    case E_NOINTERFACE:
      return kErrNoAutomation;
    case E_POINTER:
      return kErrNoObject;
    case REGDB_E_CLASSNOTREG:
    case CO_E_CLASSSTRING:
    case CO_E_DLLNOTFOUND:
    case CO_E_ERRORINDLL:
    case CLASS_E_CLASSNOTAVAILABLE:
    case CLASS_E_NOAGGREGATION:
      return tk::kCantCreateObject;
    default:
      return kErrAutomation;
  }
}

std::string DescriptionFor(int number) {
  switch (number) {
    case kErrNoObject:
      return "Object variable or With block variable not set";
    case kErrNoAutomation:
      return "Class does not support Automation or does not support expected interface";
    case kErrAutomation:
      return "Automation error";
    case kErrWrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    default:
      return tk::ErrorDescription(number);
  }
}

}  // namespace

tk::RuntimeError ErrorFromHResult(HRESULT hr, const ExcepInfo* excep, std::string_view detail) {
  int number = 0;
  std::string text;
  if (hr == DISP_E_EXCEPTION && excep && excep->number != 0) {
    number = excep->number;
    text = excep->description.empty() ? DescriptionFor(number) : excep->description;
  } else {
    number = NumberFor(hr);
    text = DescriptionFor(number);
  }
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return tk::RuntimeError(number, std::move(text));
}

void RaiseForHResult(HRESULT hr, const ExcepInfo* excep, std::string_view detail) {
  throw ErrorFromHResult(hr, excep, detail);
}

HRESULT ExceptionToHResult(const tk::RuntimeError& e, std::string_view source, ExcepInfo* excep) {
  if (excep) {
    excep->number = e.number();
    excep->source = std::string(source);
    excep->description = e.description();
  }
  return DISP_E_EXCEPTION;
}

}  // namespace com

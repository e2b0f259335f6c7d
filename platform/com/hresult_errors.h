// The caller's side of a failed call: the run-time error that a failed HRESULT becomes.
#pragma once

#include <string>
#include <string_view>

#include "dispatch.h"
#include "errors.h"
#include "hresult.h"

namespace com {

// Run-time error numbers of the object layer that the toolkit's table does not name.
inline constexpr int kErrNoObject = 91;       // "Object variable or With block variable not set"
inline constexpr int kErrNoAutomation = 430;  // the object lacks the interface asked for
inline constexpr int kErrAutomation = 440;    // any other failure of an object
inline constexpr int kErrWrongArgumentCount = 450;

// The run-time error that `hr` stands for:
//   DISP_E_OVERFLOW 6, DISP_E_TYPEMISMATCH 13, E_OUTOFMEMORY 7, E_INVALIDARG 5,
//   DISP_E_MEMBERNOTFOUND and DISP_E_UNKNOWNNAME 438, DISP_E_BADPARAMCOUNT and
//   DISP_E_PARAMNOTOPTIONAL 450, E_NOINTERFACE 430, E_POINTER 91, the activation failures
//   (class not registered, module missing or faulty) 429, a run-time error carried as a
//   result code its own number, DISP_E_EXCEPTION the number and text in `excep`,
//   anything else 440 "Automation error".
// `detail`, when not empty, is added to the standard description after ": ".
tk::RuntimeError ErrorFromHResult(HRESULT hr, const ExcepInfo* excep = nullptr,
                                  std::string_view detail = {});

[[noreturn]] void RaiseForHResult(HRESULT hr, const ExcepInfo* excep = nullptr,
                                  std::string_view detail = {});

// Raises when `hr` failed; returns otherwise.
inline void Check(HRESULT hr, std::string_view detail = {}) {
  if (Failed(hr)) RaiseForHResult(hr, nullptr, detail);
}

// What an object's Invoke reports for a run-time error raised inside one of its members.
HRESULT ExceptionToHResult(const tk::RuntimeError& e, std::string_view source, ExcepInfo* excep);

}  // namespace com

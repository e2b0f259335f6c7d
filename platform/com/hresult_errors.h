// The caller's side of a failed call: the run-time error that a failed HRESULT becomes.
#pragma once

#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "com/dispatch.h"
#include "com/hresult.h"
#include "runtime/errors.h"

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

// The callee's side: runs `body` for a caller across the interface, which nothing thrown
// may cross. A body that returns nothing succeeded (S_OK); one that returns a result code
// gives it. A run-time error becomes what `on_error` makes of it, an allocation failure
// E_OUTOFMEMORY, anything else E_UNEXPECTED.
template <class Body, class OnError>
HRESULT GuardedCall(Body&& body, OnError&& on_error) {
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<Body&>>) {
      body();
      return S_OK;
    } else {
      return body();
    }
  } catch (const tk::RuntimeError& e) {
    return on_error(e);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// A run-time error travels as its number in a result code.
template <class Body>
HRESULT GuardedCall(Body&& body) {
  return GuardedCall(std::forward<Body>(body),
                     [](const tk::RuntimeError& e) { return HResultFromRuntimeError(e.number()); });
}

// A run-time error travels as DISP_E_EXCEPTION with its number and description in
// `excep`, `source` naming the object.
template <class Body>
HRESULT GuardedCall(Body&& body, std::string_view source, ExcepInfo* excep) {
  return GuardedCall(std::forward<Body>(body), [source, excep](const tk::RuntimeError& e) {
    return ExceptionToHResult(e, source, excep);
  });
}

}  // namespace com

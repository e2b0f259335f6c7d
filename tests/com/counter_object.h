// A small object for the tests: a few typed properties, a method that fails with a
// run-time error, and an event raised with by-reference arguments. The test server module
// publishes it as a class; the unit tests also create it directly.
#pragma once

#include <cstdint>
#include <string>

#include "com/connection_point.h"
#include "com/dispatch_table.h"
#include "com/picture_object.h"
#include "runtime/checked.h"
#include "runtime/errors.h"

namespace comtest {

inline constexpr com::CLSID kCounterClsid{
    0x5E0C7A10, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65}};
inline constexpr com::IID kCounterIid{
    0x5E0C7A11, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65}};
inline constexpr com::IID kCounterEventsIid{
    0x5E0C7A12, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65}};
inline constexpr com::GUID kCounterLibid{
    0x5E0C7A13, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65}};

enum CounterDispid : com::DISPID {
  kValue = 1,
  kFlag = 2,
  kName = 3,
  kPicture = 4,
  kSmall = 5,
  kFail = 10,
  kBump = 11,
  kAdd = 12,
};
inline constexpr com::DISPID kChangedEvent = 1;  // Changed(Amount: 16-bit, by reference)

class Counter
    : public com::DispatchObject<Counter, com::IDispatch, com::IConnectionPointContainer> {
 public:
  std::int32_t value = 0;
  std::int16_t small = 0;
  com::VARIANT_BOOL flag = com::VARIANT_FALSE;
  std::string name;
  com::ComPtr<com::IDispatch> picture;
  com::ComPtr<com::ConnectionPoint> events = com::Make<com::ConnectionPoint>(kCounterEventsIid);

  com::HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** out) override {
    return com::OfferPoint(events.get(), iid, out);
  }

  // Raises Changed with `amount` by reference and adds what the handlers leave in it.
  void Bump(std::int16_t amount) {
    com::Variant arg = com::Variant::Ref(&amount);
    events->Fire(kChangedEvent, {&arg, 1});
    value += amount;
  }

  static const com::DispatchTable& Members() {
    using com::Variant;
    static const com::DispatchTable table =
        com::Members<Counter>("Counter")
            .InterfaceId(kCounterIid)
            .Property(
                "Value", kValue, com::VT_I4, [](Counter& c) { return Variant(c.value); },
                [](Counter& c, const Variant& v) { c.value = v.i4(); })
            .Property(
                "Flag", kFlag, com::VT_BOOL, [](Counter& c) { return Variant::Bool(c.flag != 0); },
                [](Counter& c, const Variant& v) { c.flag = v.boolean(); })
            .Property(
                "Name", kName, com::VT_BSTR, [](Counter& c) { return Variant(c.name); },
                [](Counter& c, const Variant& v) { c.name = v.str(); })
            .Property(
                "Small", kSmall, com::VT_I2, [](Counter& c) { return Variant(c.small); },
                [](Counter& c, const Variant& v) { c.small = v.i2(); })
            .PropertyRef(
                "Picture", kPicture, [](Counter& c) { return Variant(c.picture); },
                [](Counter& c, const Variant& v) { c.picture = v.ToDispatch(); })
            .Method(
                "Fail", kFail, {},
                [](Counter&, std::span<Variant>) -> Variant { tk::Raise(1001, "Counter refused"); })
            .Method("Bump", kBump, {com::VT_I2},
                    [](Counter& c, std::span<Variant> args) {
                      c.Bump(args[0].i2());
                      return Variant();
                    })
            .Method(
                "Add", kAdd, {com::VT_I4, com::VT_I4},
                [](Counter&, std::span<Variant> args) {
                  return Variant(tk::NarrowInt<std::int32_t>(static_cast<long long>(args[0].i4()) +
                                                             args[1].i4()));
                },
                com::VT_I4)
            .Build();
    return table;
  }
};

}  // namespace comtest

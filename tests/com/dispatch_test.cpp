#include <gtest/gtest.h>

#include <vector>

#include "com/late_bound.h"
#include "com/module_lifetime.h"
#include "counter_object.h"
#include "error_of.h"

namespace {

using com::Variant;
using comtest::Counter;
using tk::testing::ErrorOf;

class DispatchTest : public testing::Test {
 protected:
  com::ComPtr<Counter> counter = com::Make<Counter>();
  com::IDispatch* disp = counter.get();
};

TEST_F(DispatchTest, NamesMatchWithoutRegardToCase) {
  EXPECT_EQ(com::IdOfName(disp, "Value"), comtest::kValue);
  EXPECT_EQ(com::IdOfName(disp, "vALUE"), comtest::kValue);
  EXPECT_EQ(ErrorOf([&] { com::IdOfName(disp, "NoSuchMember"); }), 438);
  com::PropertyPut(disp, "fLaG", Variant::Bool(true));
  EXPECT_EQ(com::PropertyGet(disp, "FLAG").boolean(), com::VARIANT_TRUE);
}

TEST_F(DispatchTest, PutConvertsToTheDeclaredTypeAndGetReturnsIt) {
  com::PropertyPut(disp, comtest::kValue, 2.5);  // a double into a 32-bit property
  EXPECT_EQ(counter->value, 2);
  com::PropertyPut(disp, comtest::kValue, std::int16_t{-850});
  const Variant got = com::PropertyGet(disp, comtest::kValue);
  EXPECT_EQ(got.vt(), com::VT_I4);
  EXPECT_EQ(got.i4(), -850);

  com::PropertyPut(disp, comtest::kFlag, std::int32_t{7});  // any non-zero is True
  EXPECT_EQ(counter->flag, com::VARIANT_TRUE);
  com::PropertyPut(disp, comtest::kName, 1.5);
  EXPECT_EQ(counter->name, "1.5");
}

TEST_F(DispatchTest, AValueThatDoesNotConvertFailsBeforeTheMemberRuns) {
  counter->small = 3;
  EXPECT_EQ(ErrorOf([&] { com::PropertyPut(disp, comtest::kSmall, std::int32_t{70000}); }),
            tk::kOverflow);
  EXPECT_EQ(ErrorOf([&] { com::PropertyPut(disp, comtest::kSmall, "many"); }), tk::kTypeMismatch);
  EXPECT_EQ(counter->small, 3);

  Variant arg = std::int32_t{70000};
  unsigned arg_err = 99;
  EXPECT_EQ(disp->Invoke(comtest::kSmall, com::DISPATCH_PROPERTYPUT, {&arg, 1}, nullptr, nullptr,
                         &arg_err),
            com::DISP_E_OVERFLOW);
  EXPECT_EQ(arg_err, 0u);
}

TEST_F(DispatchTest, AnErrorRaisedInsideArrivesWithItsNumberAndText) {
  com::ExcepInfo excep;
  EXPECT_EQ(disp->Invoke(comtest::kFail, com::DISPATCH_METHOD, {}, nullptr, &excep, nullptr),
            com::DISP_E_EXCEPTION);
  EXPECT_EQ(excep.number, 1001);
  EXPECT_EQ(excep.source, "Counter");

  try {
    com::Method(disp, comtest::kFail);
    FAIL();
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.description(), "Counter refused");
  }
  // An overflow inside the member is the member's error 6, not a failed conversion.
  std::vector<Variant> args = {std::int32_t{2147483647}, std::int32_t{1}};
  EXPECT_EQ(ErrorOf([&] { com::Method(disp, comtest::kAdd, args); }), tk::kOverflow);
  args = {"40", 2.0};
  EXPECT_EQ(com::Method(disp, "add", args).i4(), 42);
}

TEST_F(DispatchTest, WrongCallsFailWithTheLanguagesErrors) {
  EXPECT_EQ(ErrorOf([&] { com::PropertyGet(disp, 999); }), 438);
  EXPECT_EQ(ErrorOf([&] { com::Method(disp, comtest::kBump); }), 450);
  EXPECT_EQ(ErrorOf([&] { com::PropertyGet(nullptr, comtest::kValue); }), 91);
  // Picture is set by reference only, and only to an object.
  EXPECT_EQ(ErrorOf([&] { com::PropertyPut(disp, comtest::kPicture, com::EmptyPicture()); }), 438);
  EXPECT_EQ(ErrorOf([&] { com::PropertyPutRef(disp, comtest::kPicture, std::int32_t{1}); }),
            tk::kTypeMismatch);
}

TEST_F(DispatchTest, InterfaceIdentityAndLiveObjectCount) {
  const long before = com::module::ObjectCount();
  {
    auto other = com::Make<Counter>();  // with its connection point: two objects
    EXPECT_EQ(com::module::ObjectCount(), before + 2);
    com::ComPtr<com::IDispatch> as_dual;
    EXPECT_EQ(other->QueryInterface(comtest::kCounterIid, as_dual.PutVoid()), com::S_OK);
    EXPECT_TRUE(com::SameObject(as_dual.get(), other->identity()));
    EXPECT_FALSE(other.As<com::IPictureDisp>());
  }
  EXPECT_EQ(com::module::ObjectCount(), before);
}

TEST(PictureObjectTest, CrossesByReferenceAndReportsItsSize) {
  auto image = std::make_shared<tk::Picture>(96, 48, std::vector<std::uint32_t>(96 * 48));
  auto counter = com::Make<Counter>();
  com::PropertyPutRef(counter.get(), comtest::kPicture, com::CreatePicture(image));

  const Variant back = com::PropertyGet(counter.get(), comtest::kPicture);
  EXPECT_EQ(com::PictureOf(back), image);
  auto picture = back.ToDispatch();
  EXPECT_EQ(com::PropertyGet(picture.get(), "Width").i4(), 2540);
  EXPECT_EQ(com::PropertyGet(picture.get(), "Height").i4(), 1270);
  EXPECT_NE(com::PropertyGet(picture.get(), "Handle").i4(), 0);

  auto empty = com::EmptyPicture();
  EXPECT_EQ(com::PictureOf(Variant(empty)), nullptr);
  EXPECT_EQ(com::PropertyGet(empty.get(), "Handle").i4(), 0);
  EXPECT_EQ(com::PropertyGet(empty.get(), "Type").i2(), 0);
  EXPECT_EQ(com::PictureOf(std::int32_t{3}), nullptr);
}

class EventsTest : public DispatchTest {
 protected:
  std::uint32_t AdviseSink(com::ComPtr<com::EventSink> sink) {
    return com::Advise(counter->identity(), comtest::kCounterEventsIid, sink.get());
  }
};

TEST_F(EventsTest, AHandlersChangeToAByReferenceArgumentComesBack) {
  auto sink = com::Make<com::EventSink>();
  sink->On(comtest::kChangedEvent, [](std::span<Variant> args) {
    ASSERT_EQ(args.size(), 1u);
    EXPECT_EQ(args[0].ToI4(), 1);
    EXPECT_EQ(args[0].AssignThroughRef(std::int16_t{5}), com::S_OK);
  });
  const std::uint32_t cookie = AdviseSink(sink);
  std::vector<Variant> args = {std::int16_t{1}};
  com::Method(disp, comtest::kBump, args);
  EXPECT_EQ(counter->value, 5);

  com::Unadvise(counter->identity(), comtest::kCounterEventsIid, cookie);
  counter->Bump(1);
  EXPECT_EQ(counter->value, 6);
  EXPECT_EQ(
      ErrorOf([&] { com::Unadvise(counter->identity(), comtest::kCounterEventsIid, cookie); }),
      440);
}

TEST_F(EventsTest, SinksRunInOrderAndAFailingOrLeavingSinkStopsNoOther) {
  std::vector<int> calls;
  auto first = com::Make<com::EventSink>();
  auto second = com::Make<com::EventSink>();
  auto third = com::Make<com::EventSink>();
  std::uint32_t second_cookie = 0;
  first->On(comtest::kChangedEvent, [&](std::span<Variant>) {
    calls.push_back(1);
    tk::Raise(5);
  });
  second->On(comtest::kChangedEvent, [&](std::span<Variant>) {
    calls.push_back(2);
    com::Unadvise(counter->identity(), comtest::kCounterEventsIid, second_cookie);
  });
  third->On(comtest::kChangedEvent, [&](std::span<Variant>) { calls.push_back(3); });
  AdviseSink(first);
  second_cookie = AdviseSink(second);
  AdviseSink(third);

  counter->Bump(0);
  counter->Bump(0);
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 3, 1, 3}));
  EXPECT_EQ(ErrorOf([&] {
              com::Advise(counter->identity(), comtest::kCounterIid, first.get());  // no such point
            }),
            440);
}

}  // namespace

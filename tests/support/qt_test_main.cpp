// Runs a GoogleTest program inside a QApplication, so window tests drive real Qt widgets,
// in an environment of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "run_environment.h"

namespace {

// A QTest check (QVERIFY, QCOMPARE, QTRY_...) that fails outside a QTest run only returns
// from the function it is in; GoogleTest would never hear of it and the case would pass.
// Its failure is remembered by QTest, though, so it is turned into this case's failure.
// Prefer ASSERT_TRUE(QTest::qWaitFor(...)): that says what failed.
class QTestFailuresFailTheCase : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    failed_before_ = QTest::currentTestFailed();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (QTest::currentTestFailed() && !failed_before_)
      ADD_FAILURE() << "a QTest check (QVERIFY, QCOMPARE or QTRY_...) failed in this case";
  }

 private:
  bool failed_before_ = false;  // QTest cannot be told to forget an earlier failure
};

}  // namespace

int main(int argc, char** argv) {
  const tk::testing::RunEnvironment environment(argc > 0 ? argv[0] : nullptr);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new QTestFailuresFailTheCase);
  return RUN_ALL_TESTS();
}

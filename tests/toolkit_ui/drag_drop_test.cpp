#include <gtest/gtest.h>

#include "test_form.h"
#include "ui_driver.h"

namespace tk::testing {
namespace {

class DragDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Load();
    form.Show();
  }
  void TearDown() override { form.Unload(); }
  TestForm form;
};

TEST_F(DragDropTest, DropRaisesTheTargetsEventWithTheSourcesNameAndIndex) {
  Drag(*form.sources[1], *form.targets[0]);
  Drag(*form.targets[0], *form.targets[1]);
  ASSERT_EQ(form.drops.size(), 2u);
  EXPECT_EQ(form.drops[0].target, "Target");
  EXPECT_EQ(form.drops[0].target_index, 1);
  EXPECT_EQ(form.drops[0].source, "Source");
  EXPECT_EQ(form.drops[0].source_index, 2);
  EXPECT_EQ(form.drops[1].source, "Target");
  EXPECT_EQ(form.drops[1].source_index, 1);
  EXPECT_EQ(form.drops[1].target_index, 2);
}

TEST_F(DragDropTest, AClickWithoutMovingDropsTheControlOnItself) {
  Click(*form.targets[1]);
  ASSERT_EQ(form.drops.size(), 1u);
  EXPECT_EQ(form.drops[0].source, "Target");
  EXPECT_EQ(form.drops[0].source_index, 2);
  EXPECT_EQ(form.drops[0].target_index, 2);
}

TEST_F(DragDropTest, HiddenControlStartsNoDragAndTakesNoDrop) {
  form.sources[0]->SetVisible(false);
  Drag(*form.sources[0], *form.targets[0]);
  EXPECT_TRUE(form.drops.empty());
  form.targets[1]->SetVisible(false);
  Drag(*form.sources[2], *form.targets[1]);
  EXPECT_TRUE(form.drops.empty());
  form.label->SetVisible(false);
  Click(*form.label);
  EXPECT_EQ(form.label_clicks, 0);
}

TEST_F(DragDropTest, DropOnAControlWithoutHandlerOrOnNothingDoesNothing) {
  Drag(*form.sources[0], *form.no_handler);
  Drag(*form.sources[0], *form.label);
  EXPECT_TRUE(form.drops.empty());
}

TEST_F(DragDropTest, ControlsOnTopTakeTheMouseFirst) {
  // The label lies in front of nothing here; a click raises its Click, not a drag.
  Click(*form.label);
  EXPECT_EQ(form.label_clicks, 1);
  EXPECT_TRUE(form.drops.empty());
}

}  // namespace
}  // namespace tk::testing

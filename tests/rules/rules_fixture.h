// A fresh game for each test: empty board, full trays, the error switch as the program
// runs it, default player names, and message boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_cells.h"
#include "error_of.h"
#include "modMain.h"
#include "runtime/prompts.h"

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::DebugMode = tk::kFalse16;
    modMain::Player1Turn = tk::kFalse16;
    modMain::ResetGame();
    modMain::SetPlayerNameSource({});
    previous_ = tk::InstallPrompter({[this](const tk::MessageBoxRequest& req) {
                                       boxes_.push_back(req);
                                       return int{tk::kAnswerOk};
                                     },
                                     {}});
  }
  void TearDown() override {
    tk::InstallPrompter(previous_);
    modMain::SetPlayerNameSource({});
    modMain::DebugMode = tk::kFalse16;
  }

  std::vector<tk::MessageBoxRequest> boxes_;

 private:
  tk::Prompter previous_;
};

using korvane::testing::Board;
using korvane::testing::SetBoard;
using tk::testing::ErrorOf;

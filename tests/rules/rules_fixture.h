// A fresh game for each test: empty board, full trays, the error switch as the program
// runs it, default player names, and message boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_of.h"
#include "modMain.h"
#include "prompts.h"

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

  // Nine digits, row by row from the top left: "120" "000" "000".
  static void SetBoard(const std::string& cells) {
    ASSERT_EQ(cells.size(), 9u);
    for (int i = 0; i < 9; ++i)
      modMain::GameMatrix(i / 3 + 1, i % 3 + 1) = static_cast<std::uint8_t>(cells[i] - '0');
  }
  static std::string Board() {
    std::string cells;
    for (int i = 0; i < 9; ++i)
      cells += static_cast<char>('0' + modMain::GameMatrix(i / 3 + 1, i % 3 + 1).value());
    return cells;
  }

  std::vector<tk::MessageBoxRequest> boxes_;

 private:
  tk::Prompter previous_;
};

using tk::testing::ErrorOf;

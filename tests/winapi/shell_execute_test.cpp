#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "shell32/shell32.h"

namespace {

namespace fs = std::filesystem;

// A stand-in for the desktop's handler, first on PATH: it writes its working folder and
// its arguments (each ended by a NUL byte) to a record file, then renames it into place so
// the test never reads a half-written record.
constexpr char kRecorder[] = R"(#!/bin/sh
out="$XDG_OPEN_RECORD"
{ pwd; printf '%s\n' "$#"; for a in "$@"; do printf '%s\0' "$a"; done; } > "$out.part"
mv "$out.part" "$out"
)";

struct Record {
  std::string folder;
  int count = -1;
  std::vector<std::string> args;
};

class ShellExecute : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/shell-execute-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directory(root_ / "bin");
    const fs::path script = root_ / "bin" / "xdg-open";
    std::ofstream(script) << kRecorder;
    fs::permissions(script, fs::perms::owner_all);
    record_ = root_ / "record";
    old_path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", ((root_ / "bin").string() + ":" + old_path_).c_str(), 1);
    setenv("XDG_OPEN_RECORD", record_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", old_path_.c_str(), 1);
    unsetenv("XDG_OPEN_RECORD");
    fs::remove_all(root_);
  }

  fs::path MakeFile(const std::string& name) {
    const fs::path p = root_ / name;
    std::ofstream(p) << "<html></html>";
    return p;
  }

  // The handler runs on its own; wait for its record.
  Record WaitForRecord() {
    for (int i = 0; i < 2000 && !fs::exists(record_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Record r;
    std::ifstream in(record_, std::ios::binary);
    std::getline(in, r.folder);
    std::string count;
    std::getline(in, count);
    if (!count.empty()) r.count = std::stoi(count);
    std::string arg;
    while (std::getline(in, arg, '\0')) r.args.push_back(arg);
    return r;
  }

  fs::path root_;
  fs::path record_;
  std::string old_path_;
};

TEST_F(ShellExecute, PathArrivesAsOneArgumentWhateverItHolds) {
  const std::string names[] = {
      "plain.html",
      "with spaces and 'single' \"double\" quotes.html",
      "$HOME `id` ; rm -rf x & echo $(whoami) | cat > y.html",
      "-starts-with-dash\\back\\slash*?[x].html",
      "bytes-\xff\xfe-not-utf8.html",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    fs::remove(record_);
    const fs::path file = MakeFile(name);
    const std::int32_t result = shell32::ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr,
                                                       root_.c_str(), shell32::SW_SHOWNORMAL);
    EXPECT_GT(result, 32);
    const Record r = WaitForRecord();
    EXPECT_EQ(r.count, 1);
    ASSERT_EQ(r.args.size(), 1u);
    EXPECT_EQ(r.args[0], file.string());
    EXPECT_EQ(r.folder, root_.string()) << "the directory is the handler's working folder";
  }
}

TEST_F(ShellExecute, RelativeFileIsFoundFromTheDirectory) {
  MakeFile("help page.html");
  EXPECT_GT(shell32::ShellExecuteA(nullptr, "Open", "help page.html", nullptr, root_.c_str(), 1),
            32);
  const Record r = WaitForRecord();
  ASSERT_EQ(r.args.size(), 1u);
  EXPECT_EQ(r.args[0], (root_ / "help page.html").string());
}

TEST_F(ShellExecute, LeavesNoChildBehind) {
  const fs::path file = MakeFile("page.html");
  ASSERT_GT(shell32::ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, 1), 32);
  WaitForRecord();
  // The handler is no child of ours, so there is nothing to reap, now or later.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ShellExecute, FailuresGiveTheirCodesAndRunNothing) {
  const fs::path file = MakeFile("page.html");
  const fs::path missing_folder = root_ / "no such folder";
  struct Case {
    const char* what;
    const char* operation;
    std::string file;
    const char* directory;
    std::int32_t expected;
  } cases[] = {
      {"missing file", nullptr, (root_ / "korvane2.html").string(), nullptr, 2},
      {"missing file in a missing folder", nullptr, (missing_folder / "x.html").string(), nullptr,
       2},
      {"empty file name", nullptr, "", nullptr, 2},
      {"working folder that does not exist", nullptr, file.string(), missing_folder.c_str(), 3},
      {"operation without a handler", "print", file.string(), nullptr, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(shell32::ShellExecuteA(nullptr, c.operation, c.file.c_str(), nullptr, c.directory, 1),
              c.expected);
  }
  EXPECT_EQ(shell32::ShellExecuteA(nullptr, nullptr, nullptr, nullptr, nullptr, 1), 2);
  // Nothing may run: give a handler started by mistake the time to leave its record.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(fs::exists(record_));
}

TEST_F(ShellExecute, NoHandlerOnPathGives31) {
  const fs::path file = MakeFile("page.html");
  fs::create_directory(root_ / "empty");
  setenv("PATH", (root_ / "empty").c_str(), 1);
  EXPECT_EQ(shell32::ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, 1), 31);
}

}  // namespace

#include "key_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "errors.h"

namespace fs = std::filesystem;

namespace {

class KeyStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("keystore-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "user.store";
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string ReadAll() {
    std::ifstream in(file_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_, file_;
};

TEST_F(KeyStoreTest, NamesMatchWithoutRegardToCaseAndKeepOneValue) {
  tk::KeyStore store(file_);
  store.SetValue("Software\\App\\Players", "Player1", "Ann");
  store.SetValue("SOFTWARE\\app\\PLAYERS", "PLAYER1", "Bob");
  EXPECT_EQ(store.GetValue("software\\APP\\players", "player1"), "Bob");
  auto values = store.Read().Values("Software\\App\\Players");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Player1");  // the case first written is kept
  EXPECT_EQ(store.GetValue("Software\\App\\Players", "Player2"), std::nullopt);
}

TEST_F(KeyStoreTest, AnyTextRoundTripsExactly) {
  tk::KeyStore store(file_);
  const std::string odd[] = {"  spaced  ",   "Zoë Ñandú", "名前",          "🎲 dice", "a=b;c#d",
                             "[x]\\y%z\"q'", "tab\there", "line\nbreak\r", ""};
  int i = 0;
  for (const auto& s : odd) store.SetValue("K\\Odd", "v" + std::to_string(i++), s);
  i = 0;
  for (const auto& s : odd)
    EXPECT_EQ(tk::KeyStore(file_).GetValue("K\\Odd", "v" + std::to_string(i++)), s);
}

TEST_F(KeyStoreTest, TreesAreListedAndDeletedWhole) {
  tk::KeyStore store(file_);
  store.Update([](tk::StoreTree& t) {
    t.SetValue("CLSID\\{A}\\InprocServer32", "", "/lib/x.so");
    t.SetValue("CLSID\\{A}", "", "Thing");
    t.SetValue("CLSID\\{B}", "", "Other");
  });
  auto tree = store.Read();
  EXPECT_TRUE(tree.KeyExists("clsid\\{a}\\inprocserver32"));
  EXPECT_EQ(tree.SubKeys("CLSID"), (std::vector<std::string>{"{A}", "{B}"}));
  store.Update([](tk::StoreTree& t) { EXPECT_TRUE(t.DeleteTree("CLSID\\{A}")); });
  tree = store.Read();
  EXPECT_FALSE(tree.KeyExists("CLSID\\{A}\\InprocServer32"));
  EXPECT_FALSE(tree.KeyExists("CLSID\\{A}"));
  EXPECT_EQ(tree.GetValue("CLSID\\{B}", ""), "Other");
}

TEST_F(KeyStoreTest, DamagedFileReadsEmptyAndIsKeptAsideOnTheNextWrite) {
  for (const char* junk : {"garbage", "toolkit-store 1\nK\tA\nV\tx\ty\n",  // cut short
                           "toolkit-store 1\nV\tx\ty\nE\t1\n", "\x01\x02\xff"}) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    { std::ofstream(file_, std::ios::binary) << junk; }
    tk::KeyStore store(file_);
    EXPECT_EQ(store.GetValue("A", "x"), std::nullopt) << junk;
    store.SetValue("A", "x", "fresh");
    EXPECT_EQ(store.GetValue("A", "x"), "fresh");
    int aside = 0;
    for (auto& e : fs::directory_iterator(dir_))
      if (e.path().filename().string().find("user.store.damaged-") == 0) ++aside;
    EXPECT_EQ(aside, 1) << junk;
  }
}

TEST_F(KeyStoreTest, UnwritableStoreRaisesError75) {
  { std::ofstream(dir_ / "blocker") << "a file where the store's folder should be"; }
  tk::KeyStore store(dir_ / "blocker" / "user.store");
  try {
    store.SetValue("A", "x", "y");
    FAIL() << "expected error 75";
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), 75);
  }
  EXPECT_EQ(store.GetValue("A", "x"), std::nullopt);
}

TEST_F(KeyStoreTest, WriterKilledMidWriteLeavesTheOldFileWhole) {
  tk::KeyStore store(file_);
  store.SetValue("A", "x", "old");
  const std::string before = ReadAll();
  pid_t child = fork();
  if (child == 0) {
    tk::KeyStore(file_).Update([](tk::StoreTree& t) {
      t.SetValue("A", "x", std::string(1 << 20, 'n'));
      ::kill(::getpid(), SIGKILL);  // dies before anything is written
    });
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadAll(), before);
  EXPECT_EQ(store.GetValue("A", "x"), "old");
}

TEST_F(KeyStoreTest, TwoProcessesWritingAtOnceKeepBothValues) {
  constexpr int kWrites = 40;
  pid_t kids[2];
  for (int k = 0; k < 2; ++k) {
    kids[k] = fork();
    if (kids[k] == 0) {
      tk::KeyStore s(file_);
      for (int i = 0; i < kWrites; ++i)
        s.SetValue("Race", "writer" + std::to_string(k) + "_" + std::to_string(i), "v");
      _exit(0);
    }
  }
  for (pid_t kid : kids) {
    int status = 0;
    waitpid(kid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(tk::KeyStore(file_).Read().Values("Race").size(), 2u * kWrites);
}

TEST_F(KeyStoreTest, SettingsUseTheUserStoreNamedByTheEnvironment) {
  ::setenv("TOOLKIT_STORE", file_.c_str(), 1);
  EXPECT_EQ(tk::GetSetting("Korvane2", "Players", "Player1", "Player 1"), "Player 1");
  tk::SaveSetting("Korvane2", "Players", "Player1", "Ann");
  EXPECT_EQ(tk::GetSetting("korvane2", "PLAYERS", "player1", "Player 1"), "Ann");
  EXPECT_EQ(tk::KeyStore::UserStorePath(), file_);
}

}  // namespace

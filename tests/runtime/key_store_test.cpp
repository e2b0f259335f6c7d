#include "runtime/key_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

#include "error_of.h"
#include "runtime/errors.h"

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
  std::string ReadAll() { return ReadFile(file_); }
  static std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void WriteFile(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
  }
  // The copies of damaged stores kept beside `store`.
  static std::vector<fs::path> KeptAside(const fs::path& store) {
    std::vector<fs::path> aside;
    for (auto& e : fs::directory_iterator(store.parent_path()))
      if (e.path().filename().string().rfind(store.filename().string() + ".damaged-", 0) == 0)
        aside.push_back(e.path());
    std::sort(aside.begin(), aside.end());
    return aside;
  }
  static std::set<std::string> Listing(const fs::path& dir) {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
  }
  fs::path dir_, file_;
};

// Runs `body` in a child process and waits for it, polling, at most `timeout`: whether
// it finished in time with every expectation met. A hung or runaway child is killed.
bool FinishesInTime(const std::function<bool()>& body,
                    std::chrono::seconds timeout = std::chrono::seconds(10)) {
  const pid_t child = fork();
  if (child == 0) {
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
    }
    _exit(ok ? 0 : 1);
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "the child did not finish in time";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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
  // The root holds keys only.
  EXPECT_EQ(tk::testing::ErrorOf([&] { tree.SetValue("\\", "x", "y"); }),
            tk::kInvalidProcedureCall);
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

// Also when one writes through a link and the other through the file it leads to.
TEST_F(KeyStoreTest, TwoProcessesWritingAtOnceKeepBothValues) {
  constexpr int kWrites = 40;
  const fs::path link = dir_ / "link.store";
  fs::create_symlink(file_.filename(), link);
  for (const fs::path& second : {file_, link}) {
    SCOPED_TRACE(second);
    fs::remove(file_);
    const fs::path names[2] = {file_, second};
    pid_t kids[2];
    for (int k = 0; k < 2; ++k) {
      kids[k] = fork();
      if (kids[k] == 0) {
        tk::KeyStore s(names[k]);
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
}

// Takes <file>.lock as another program would, until destroyed.
class HeldLock {
 public:
  explicit HeldLock(const fs::path& file) {
    fd_ = ::open((file.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
  }
  ~HeldLock() { Release(); }
  void Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// A lock that someone keeps: reading goes on at once, a save is refused with the error of
// a store that cannot be written once it has waited its while, and the store is as it was.
TEST_F(KeyStoreTest, AHeldLockStopsNoReaderAndRefusesASaveInTime) {
  tk::KeyStore(file_).SetValue("A", "x", "old");
  const std::string before = ReadAll();
  {
    HeldLock held(file_);
    EXPECT_TRUE(FinishesInTime([&] {
      tk::KeyStore store(file_);
      return store.GetValue("A", "x") == "old" && tk::testing::ErrorOf([&] {
                                                    store.SetValue("A", "x", "new");
                                                  }) == tk::kPathFileAccessError;
    }));
    EXPECT_EQ(ReadAll(), before);
  }
  // A lock held for a moment only is waited for.
  HeldLock briefly(file_);
  std::thread release([&] {
    std::this_thread::sleep_for(tk::KeyStore::kLockWait / 8);
    briefly.Release();
  });
  EXPECT_EQ(tk::testing::ErrorOf([&] { tk::KeyStore(file_).SetValue("A", "x", "new"); }), 0);
  release.join();
  EXPECT_EQ(tk::KeyStore(file_).GetValue("A", "x"), "new");
}

// Every name of a store takes the lock beside the file it leads to.
TEST_F(KeyStoreTest, EveryNameOfAStoreSharesItsLock) {
  const fs::path real = dir_ / "elsewhere" / "real.store";
  fs::create_directories(real.parent_path());
  fs::create_symlink("elsewhere/real.store", dir_ / "relative");
  fs::create_symlink("relative", dir_ / "link-to-link");
  fs::create_symlink("elsewhere/new.store", dir_ / "to-missing");
  struct Case {
    fs::path name, file;
  };
  const Case cases[] = {{dir_ / "relative", real},
                        {dir_ / "link-to-link", real},
                        {dir_ / "to-missing", real.parent_path() / "new.store"}};
  tk::KeyStore(real).SetValue("A", "x", "old");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeldLock held(c.file);
    EXPECT_TRUE(FinishesInTime([&] {
      return tk::testing::ErrorOf([&] { tk::KeyStore(c.name).SetValue("A", "x", "new"); }) ==
             tk::kPathFileAccessError;
    }));
    EXPECT_EQ(tk::KeyStore(c.file).GetValue("A", "x"),
              c.file == real ? std::optional<std::string>("old") : std::nullopt);
  }
}

TEST_F(KeyStoreTest, SettingsUseTheUserStoreNamedByTheEnvironment) {
  ::setenv("TOOLKIT_STORE", file_.c_str(), 1);
  EXPECT_EQ(tk::GetSetting("Korvane2", "Players", "Player1", "Player 1"), "Player 1");
  tk::SaveSetting("Korvane2", "Players", "Player1", "Ann");
  EXPECT_EQ(tk::GetSetting("korvane2", "PLAYERS", "player1", "Player 1"), "Ann");
  EXPECT_EQ(tk::KeyStore::UserStorePath(), file_);
}

// Anything but a regular file at the store's path reads as a damaged store at once, and
// the next save moves it aside, never what a link leads to. Folders and devices are not
// the store's to move: saving there fails and leaves them be.
TEST_F(KeyStoreTest, SpecialFileAtTheStorePathReadsAsDamagedWithoutBlocking) {
  struct Case {
    const char* what;
    std::function<bool()> make;  // false: cannot be made here
    fs::file_type aside;         // what is kept aside, or none when nothing may move
  };
  const Case cases[] = {
      {"FIFO", [&] { return mkfifo(file_.c_str(), 0600) == 0; }, fs::file_type::fifo},
      {"link to /dev/zero", [&] { return symlink("/dev/zero", file_.c_str()) == 0; },
       fs::file_type::symlink},
      {"link to a FIFO",
       [&] {
         return mkfifo((dir_ / "pipe").c_str(), 0600) == 0 && symlink("pipe", file_.c_str()) == 0;
       },
       fs::file_type::symlink},
      {"link to itself", [&] { return symlink("user.store", file_.c_str()) == 0; },
       fs::file_type::symlink},
      {"folder", [&] { return fs::create_directories(file_ / "inside"); }, fs::file_type::none},
      {"device", [&] { return mknod(file_.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0; },
       fs::file_type::none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    if (!c.make()) {
      ASSERT_STREQ(c.what, "device") << "only a device node may need privileges";
      continue;
    }
    const auto before = fs::symlink_status(file_).type();
    const bool may_move = c.aside != fs::file_type::none;
    EXPECT_TRUE(FinishesInTime([&] {
      tk::KeyStore store(file_);
      if (!store.Read().empty() || store.GetValue("A", "x")) return false;
      const int error = tk::testing::ErrorOf([&] { store.SetValue("A", "x", "fresh"); });
      if (!may_move) return error == tk::kPathFileAccessError;
      return error == 0 && store.GetValue("A", "x") == "fresh";
    }));
    const auto aside = KeptAside(file_);
    if (may_move) {
      ASSERT_EQ(aside.size(), 1u);
      EXPECT_EQ(fs::symlink_status(aside[0]).type(), c.aside);
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file_)));
    } else {
      EXPECT_TRUE(aside.empty());
      EXPECT_EQ(fs::symlink_status(file_).type(), before);
    }
    EXPECT_FALSE(fs::exists(file_.string() + ".tmp." + std::to_string(getpid())));
  }
  EXPECT_TRUE(fs::is_character_file("/dev/zero"));
}

TEST_F(KeyStoreTest, OversizedStoreIsKeptAsideUnread) {
  const std::string padding(tk::KeyStore::kMaxFileSize, 'p');
  const std::string big =
      "toolkit-store 1\nK\tA\nV\tx\tbig\nV\tpad\t" + padding + "\nE\t3\n";  // well formed
  WriteFile(file_, big);
  tk::KeyStore store(file_);
  EXPECT_EQ(store.GetValue("A", "x"), std::nullopt);
  store.SetValue("A", "x", "small");
  EXPECT_EQ(store.GetValue("A", "x"), "small");
  const auto aside = KeptAside(file_);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(fs::file_size(aside[0]), big.size());

  // A save that would pass the limit is refused, and the store stays as it was.
  const std::string kept = ReadAll();
  EXPECT_EQ(tk::testing::ErrorOf([&] { store.SetValue("A", "pad", padding); }),
            tk::kPathFileAccessError);
  EXPECT_EQ(ReadAll(), kept);
}

// Whatever reads within the size limit can be saved again, with what it held.
TEST_F(KeyStoreTest, AStoreThatReadsCanBeSavedAgain) {
  const size_t budget = tk::KeyStore::kMaxFileSize / 8 * 7;  // 3.5 MiB
  // Deep keys listed without their parents, each chain its own: the tree read holds
  // several times the keys the file lists.
  const std::string level(40, 'l');
  std::string parentless = "toolkit-store 1\n";
  size_t records = 0;
  for (; parentless.size() < budget; ++records) {
    parentless += "K\tTop" + std::to_string(records);
    for (int i = 0; i < 8; ++i) parentless += "\\\\" + level;  // an escaped separator
    parentless += "\n";
  }
  parentless += "E\t" + std::to_string(records) + "\n";
  std::string deepest = "Top0";
  for (int i = 0; i < 8; ++i) deepest += "\\" + level;
  // Carriage returns as they stand, which the store writes as two characters each.
  std::string returns = "toolkit-store 1\nK\tA\nV\tx\t" +
                        std::string(tk::KeyStore::kMaxFileSize / 2 + 64, '\r') + "\nE\t2\n";

  struct Case {
    const char* what;
    const std::string& text;
    std::string key;  // one the store holds, or none when it reads as damaged
  };
  const std::string players = "Software\\Program Settings\\Korvane2\\Players";
  for (const Case& c : {Case{"keys without their parents", parentless, deepest},
                        Case{"raw carriage returns", returns, ""}}) {
    SCOPED_TRACE(c.what);
    ASSERT_LE(c.text.size(), tk::KeyStore::kMaxFileSize);
    WriteFile(file_, c.text);
    tk::KeyStore store(file_);
    EXPECT_EQ(store.Read().empty(), c.key.empty());
    EXPECT_EQ(tk::testing::ErrorOf([&] { store.SetValue(players, "Player1", "Renamed"); }), 0);
    const tk::StoreTree tree = store.Read();
    EXPECT_EQ(tree.GetValue(players, "Player1"), "Renamed");
    if (!c.key.empty()) {
      EXPECT_TRUE(tree.KeyExists(c.key));
      EXPECT_TRUE(tree.KeyExists("top0"));
    }
    EXPECT_LE(fs::file_size(file_), tk::KeyStore::kMaxFileSize);
  }
}

// Stores made to be costly to read, each within the size limit: each is read (or found
// damaged) promptly, and none is ever written.
TEST_F(KeyStoreTest, HostileStoresReadPromptly) {
  const size_t budget = tk::KeyStore::kMaxFileSize - 64;
  std::string many_values = "toolkit-store 1\nK\tA\n";
  size_t values = 0;
  while (many_values.size() < budget) many_values += "V\t" + std::to_string(values++) + "\t\n";
  many_values += "E\t" + std::to_string(values + 1) + "\n";

  std::string long_key = "toolkit-store 1\nK\t" + std::string(1 << 16, 'k') + "\n";
  size_t overwrites = 0;
  for (; long_key.size() < budget; ++overwrites) long_key += "V\tv\t\n";
  long_key += "E\t" + std::to_string(overwrites + 1) + "\n";

  std::string deep = "toolkit-store 1\nK\ta";
  while (deep.size() < budget) deep += "\\a";
  deep += "\nE\t1\n";

  struct Case {
    const char* what;
    const std::string& text;
    bool good;
  };
  for (const Case& c : {Case{"many values in one key", many_values, true},
                        Case{"one value of a long key written again and again", long_key, true},
                        Case{"a key of a million levels", deep, false}}) {
    SCOPED_TRACE(c.what);
    ASSERT_LE(c.text.size(), tk::KeyStore::kMaxFileSize);
    WriteFile(file_, c.text);
    EXPECT_TRUE(FinishesInTime(
        [&] {
          const tk::StoreTree tree = tk::KeyStore(file_).Read();
          return tree.empty() != c.good;
        },
        std::chrono::seconds(60)));
  }
}

TEST_F(KeyStoreTest, KeysDeeperThanTheLimitAreNeitherReadNorWritten) {
  std::string deepest = "L";
  for (int i = 1; i < tk::StoreTree::kMaxKeyDepth; ++i) deepest += "\\L";
  tk::KeyStore store(file_);
  store.SetValue(deepest, "x", "deepest");
  EXPECT_EQ(store.GetValue(deepest, "x"), "deepest");
  const std::string kept = ReadAll();
  EXPECT_EQ(tk::testing::ErrorOf([&] { store.SetValue(deepest + "\\L", "x", "y"); }),
            tk::kPathFileAccessError);
  EXPECT_EQ(ReadAll(), kept);
  tk::StoreTree tree;
  EXPECT_FALSE(tk::StoreTree::Parse("toolkit-store 1\nK\t" + deepest + "\\L\nE\t1\n", tree));
}

// The store reached through a link is written where the link leads, and the link stays,
// as an editor saves a linked file; a damaged target is kept aside beside itself.
TEST_F(KeyStoreTest, LinkedStoreIsWrittenThroughToItsTarget) {
  struct Case {
    const char* what;
    std::string link;  // what the link says
    fs::path target;   // where it leads in the end
    std::string before;
  };
  const fs::path elsewhere = dir_ / "elsewhere";
  const Case cases[] = {
      {"absolute", (elsewhere / "real.store").string(), elsewhere / "real.store", ""},
      {"relative", "elsewhere/real.store", elsewhere / "real.store", ""},
      {"a link to a link", "second-link", elsewhere / "real.store", ""},
      {"to a missing file", "elsewhere/new.store", elsewhere / "new.store", ""},
      {"to a damaged file", "elsewhere/real.store", elsewhere / "real.store", "damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(elsewhere);
    tk::KeyStore(elsewhere / "real.store").SetValue("A", "old", "kept");
    if (!c.before.empty()) WriteFile(c.target, c.before);
    fs::create_symlink(elsewhere / "real.store", dir_ / "second-link");
    fs::create_symlink(c.link, file_);

    tk::KeyStore store(file_);
    store.SetValue("A", "x", "1");
    store.SetValue("A", "y", "2");
    ASSERT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(fs::read_symlink(file_), c.link);
    const auto tree = tk::KeyStore(c.target).Read();
    EXPECT_EQ(tree.GetValue("A", "x"), "1");
    EXPECT_EQ(tree.GetValue("A", "y"), "2");
    EXPECT_EQ(tree.GetValue("A", "old"), c.before.empty() && c.target == elsewhere / "real.store"
                                             ? std::optional<std::string>("kept")
                                             : std::nullopt);
    const auto aside = KeptAside(c.target);
    ASSERT_EQ(aside.size(), c.before.empty() ? 0u : 1u);
    if (!aside.empty()) {
      EXPECT_EQ(ReadFile(aside[0]), c.before);
    }
  }
}

TEST_F(KeyStoreTest, EveryDamagedStoreKeepsACopyOfItsOwn) {
  tk::KeyStore store(file_);
  const std::vector<std::string> junk = {"first damage", "second damage", "third damage"};
  for (const std::string& j : junk) {
    WriteFile(file_, j);
    store.SetValue("A", "x", j);
  }
  std::vector<std::string> kept;
  for (const fs::path& p : KeptAside(file_)) kept.push_back(ReadFile(p));
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"first damage", "second damage", "third damage"}));
  EXPECT_EQ(store.GetValue("A", "x"), "third damage");
}

// The temporary file of a save whose process died goes with the next save; that of a
// living process, and files that only look alike, stay.
TEST_F(KeyStoreTest, TemporaryFileOfAnInterruptedSaveIsRemovedOnceItsProcessIsGone) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  const pid_t alive = fork();
  if (alive == 0) {
    char c;
    close(pipe_fds[1]);
    (void)!read(pipe_fds[0], &c, 1);  // until the test closes its end
    _exit(0);
  }
  close(pipe_fds[0]);
  const auto temp_of = [&](const std::string& tail) { return file_.string() + ".tmp." + tail; };
  for (const std::string& tail : {std::to_string(gone), std::to_string(alive), std::string("x1")})
    WriteFile(temp_of(tail), "toolkit-store 1\nE\t0\n");

  tk::KeyStore(file_).SetValue("A", "x", "y");
  EXPECT_FALSE(fs::exists(temp_of(std::to_string(gone))));
  EXPECT_TRUE(fs::exists(temp_of(std::to_string(alive))));
  EXPECT_TRUE(fs::exists(temp_of("x1")));
  close(pipe_fds[1]);
  waitpid(alive, nullptr, 0);
}

// Reading creates nothing, and needs no write access: a store that others may read is
// read by another user, with its lock file when he may open it and without when not.
TEST_F(KeyStoreTest, ReadingCreatesNothingAndNeedsNoWriteAccess) {
  tk::KeyStore(file_).SetValue("A", "x", "shared");
  const fs::path lock = file_.string() + ".lock";
  fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::others_read);
  for (bool with_lock : {false, true}) {
    SCOPED_TRACE(with_lock ? "with a lock file the reader may not open" : "with no lock file");
    if (!with_lock) fs::remove(lock);
    const auto listing = Listing(dir_);
    EXPECT_EQ(tk::KeyStore(file_).GetValue("A", "x"), "shared");
    EXPECT_TRUE(FinishesInTime([&] {
      // The superuser reads as nobody; anyone else in a folder he may not write to.
      if (geteuid() == 0 ? setgid(65534) != 0 || setuid(65534) != 0
                         : chmod(dir_.c_str(), 0555) != 0)
        return false;
      return tk::KeyStore(file_).GetValue("A", "x") == "shared";
    }));
    chmod(dir_.c_str(), 0755);
    EXPECT_EQ(Listing(dir_), listing);
    if (!with_lock) tk::KeyStore(file_).SetValue("A", "x", "shared");  // makes the lock
  }
}

TEST_F(KeyStoreTest, SavingKeepsTheStoresPermissions) {
  tk::KeyStore store(file_);
  store.SetValue("A", "x", "1");
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  const auto readable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read;
  fs::permissions(file_, readable);
  store.SetValue("A", "x", "2");
  EXPECT_EQ(fs::status(file_).permissions(), readable);
}

}  // namespace

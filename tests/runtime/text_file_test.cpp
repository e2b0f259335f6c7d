#include "text_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "errors.h"
#include "text_encoding.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  int n = tk::FreeFile();
  tk::OpenForInput(n, path);
  std::vector<std::string> lines;
  while (!tk::Eof(n)) lines.push_back(tk::LineInput(n));
  tk::Close(n);
  return lines;
}

TEST(TextFile, LinesEndAtCrOrCrLf) {
  auto path = fs::temp_directory_path() / ("tf-" + std::to_string(::getpid()));
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\rc\n", {"a", "b", "c"}}, {"one", {"one"}},     {"", {}},
      {"\r\n\r\n", {"", ""}},           {"x;y\r\n", {"x;y"}},
  };
  for (const auto& c : cases) {
    { std::ofstream(path, std::ios::binary) << c.bytes; }
    EXPECT_EQ(ReadLines(path), c.lines);
  }
  fs::remove(path);
}

TEST(TextFile, MissingFileRaises53AndDirMatchesOnlyNormalFiles) {
  int n = tk::FreeFile();
  try {
    tk::OpenForInput(n, "/nonexistent/definitely/not");
    FAIL();
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), 53);
  }
  EXPECT_EQ(tk::FreeFile(), n);  // nothing was left open
  auto dir = fs::temp_directory_path() / ("dir-" + std::to_string(::getpid()));
  fs::create_directories(dir / "folder");
  { std::ofstream(dir / "script") << "x"; }
  { std::ofstream(dir / ".hidden") << "x"; }
  EXPECT_EQ(tk::DirNormal((dir / "script").string()), "script");
  EXPECT_EQ(tk::DirNormal((dir / "folder").string()), "");
  EXPECT_EQ(tk::DirNormal((dir / ".hidden").string()), "");
  EXPECT_EQ(tk::DirNormal((dir / "none").string()), "");
  EXPECT_THROW(tk::DirNormal(std::string(5000, 'a')), tk::RuntimeError);
  fs::remove_all(dir);
}

TEST(TextEncoding, Utf16RoundTripAndStrayBytes) {
  const std::string s = "Zoë 名前 🎲";
  EXPECT_EQ(tk::Utf16ToUtf8(tk::Utf8ToUtf16(s)), s);
  EXPECT_EQ(tk::Utf8ToUtf16("🎲").size(), 2u);
  EXPECT_EQ(tk::Utf8ToUtf16("a\xff"), u"a\uFFFD");
  // In the C locale a stray high byte is taken as Latin-1 rather than dropped.
  EXPECT_EQ(tk::LocaleToUtf8("caf\xe9"), "caf\xc3\xa9");
}

}  // namespace

#include "runtime/text_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>

#include "error_of.h"
#include "fifo_watchdog.h"
#include "runtime/errors.h"
#include "runtime/text_encoding.h"

namespace fs = std::filesystem;

namespace {

// Runs a test in one LC_CTYPE and puts the one before back.
class CtypeLocale {
 public:
  explicit CtypeLocale(const char* name) : before_(std::setlocale(LC_CTYPE, nullptr)) {
    std::setlocale(LC_CTYPE, name);
  }
  ~CtypeLocale() { std::setlocale(LC_CTYPE, before_.c_str()); }

 private:
  std::string before_;
};

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

TEST(TextFile, OnlyARegularFileOpensAndNothingIsWaitedOn) {
  const fs::path dir = fs::temp_directory_path() / ("tf-kinds-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const tk::testing::Fifo fifo((dir / "fifo").string());
  const int n = tk::FreeFile();
  int fifo_error = 0;
  EXPECT_TRUE(tk::testing::ReturnsWithoutWaiting(fifo.path(), [&] {
    fifo_error = tk::testing::ErrorOf([&] { tk::OpenForInput(n, fifo.path()); });
  }));
  EXPECT_EQ(fifo_error, tk::kPathFileAccessError);
  for (const std::string& path : {std::string("/dev/null"), dir.string()})
    EXPECT_EQ(tk::testing::ErrorOf([&] { tk::OpenForInput(n, path); }), tk::kPathFileAccessError)
        << path;
  EXPECT_EQ(tk::FreeFile(), n);  // nothing was left open
  fs::remove_all(dir);
}

// Lines are cut where they end, whatever block of the file their end or a character of
// theirs falls in; a piece of a line never splits a character.
TEST(TextFile, LinesAndCharactersAcrossReadBlocks) {
  const CtypeLocale utf8("C.UTF-8");
  const auto path = fs::temp_directory_path() / ("tf-blocks-" + std::to_string(::getpid()));
  const std::string name = "\xe5\x90\x8d";  // one character in three bytes
  for (std::size_t before_end = 0; before_end <= 3; ++before_end) {
    const std::string pad(65536 - before_end, 'a');
    const std::vector<std::string> files[] = {
        {pad + "\r\nx", pad, "x"},
        {pad + name + "\ry", pad + name, "y"},
        {pad + "\r", pad},
    };
    for (const auto& file : files) {
      { std::ofstream(path, std::ios::binary) << file[0]; }
      const std::vector<std::string> lines(file.begin() + 1, file.end());
      EXPECT_EQ(ReadLines(path), lines) << before_end;

      const int n = tk::FreeFile();
      tk::OpenForInput(n, path);
      std::vector<std::string> joined(1);
      while (!tk::Eof(n)) {
        bool ended = false;
        const std::string piece = tk::LineInputPiece(n, 1000, ended);
        EXPECT_LE(piece.size(), 1000u);
        EXPECT_TRUE(piece.empty() || (static_cast<unsigned char>(piece[0]) & 0xC0) != 0x80);
        joined.back() += piece;
        if (ended) joined.emplace_back();
      }
      tk::Close(n);
      joined.pop_back();
      EXPECT_EQ(joined, lines) << before_end;
    }
  }
  fs::remove(path);
}

// Decoding a text a piece at a time, cut anywhere, gives what decoding it at once gives.
TEST(TextEncoding, TextDecodedInPiecesIsTheTextDecodedAtOnce) {
  const struct {
    const char* codeset;
    std::string bytes;
    std::string starts;
  } cases[] = {
      // Valid sequences, stray bytes, sequences cut short, one cut short at the very end.
      {"UTF-8", "a\xc3\xa9\xe5\x90\x8d\xf0\x9f\x8e\xb2\xff\xc3x\xe5\x90\r\n\xf0\x9f\x8e",
       "a\xc3\xa9\xe5\x90\x8d\xf0\x9f\x8e\xb2\xc3\xbf\xc3\x83x"},
      {"ANSI_X3.4-1968", "caf\xe9\r\n\x80z", "caf\xc3\xa9"},
      // Two-byte characters, a lead byte before ASCII, a lead byte at the end.
      {"EUC-JP", "\xa4\xa2\xa4\xa4x\xa4y\xa4", "\xe3\x81\x82\xe3\x81\x84x"},
      // Four-byte and two-byte characters, a four-byte one cut short at the end.
      {"GB18030", "\x81\x30\x81\x30\xd6\xd0z\x81\x30\x81", "\xc2\x80\xe4\xb8\xad"},
  };
  for (const auto& c : cases) {
    std::string whole;
    tk::LocaleDecoder(c.codeset).Decode(c.bytes, true, whole);
    EXPECT_EQ(whole.substr(0, c.starts.size()), c.starts) << c.codeset;
    const std::string_view bytes = c.bytes;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
      for (std::size_t j = i; j <= bytes.size(); ++j) {
        tk::LocaleDecoder decoder(c.codeset);
        std::string pieces;
        decoder.Decode(bytes.substr(0, i), false, pieces);
        decoder.Decode(bytes.substr(i, j - i), false, pieces);
        decoder.Decode(bytes.substr(j), true, pieces);
        EXPECT_EQ(pieces, whole) << c.codeset << " cut at " << i << " and " << j;
      }
    }
  }
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

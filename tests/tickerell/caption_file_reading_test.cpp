// A credits file is read a block at a time and no further than its limits need, and what
// it yields is what reading the whole file first and then parsing it yields: the same
// lines and the same error, for files at and around every limit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "tickerell_test_support.h"
#include "whole_source_outcome.h"

namespace tickerell {
namespace testing {

// Shows the first lines of an outcome that differs.
void PrintTo(const Outcome& o, std::ostream* os) {
  *os << "error " << o.error << ", " << o.lines.size() << " lines";
  for (std::size_t i = 0; i < o.lines.size() && i < 3; ++i) {
    *os << "\n  ";
    tickerell::PrintTo(o.lines[i], os);
  }
}

}  // namespace testing

namespace {

namespace fs = std::filesystem;
using testing::ErrorOf;
using testing::ReadyInstance;
using testing::TempFolder;

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

struct File {
  std::string what;
  std::string bytes;
};

std::vector<File> FilesAroundTheLimits() {
  const std::string e_acute = "\xC3\xA9";        // one UTF-16 unit in two bytes
  const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units in four bytes
  const std::string pad(200000, 'x');            // a line far beyond the 16-bit counters
  std::vector<File> files = {
      {"empty", ""},
      {"one empty line", "\n"},
      {"no final line end", "a;b<F.BOLD>"},
      {"CR, CR LF and LF", "a\r\nb\rc\nd\n\re\r"},
      {"499 lines, 500 entries", Repeat("L<F.COLOR:255>\r\n", 499)},
      {"500 lines, 501 entries", Repeat("L\r\n", 500)},
      {"498 lines, 499 entries", Repeat("L\n", 498)},
      {"notes do not count toward 500", Repeat("<note\n", 600) + Repeat("L\n", 499)},
      {"32,767 notes, 32,768 entries", Repeat("<note\n", 32767)},
      {"32,768 notes, 32,769 entries", Repeat("<note\n", 32768)},
      {"32,767 lines, 32,768 entries", Repeat("L\n", 32767)},
      {"32,768 lines, 32,769 entries", Repeat("L\n", 32768)},
      {"16,384 lines of two entries", Repeat("a;b\n", 16384)},
      {"a failing first line before many", "x<F.COLOR:99999999999>\n" + Repeat("L\n", 40000)},
      {"a failing second line before many", "ok\nx<F.SIZEX:-2147483649>\n" + Repeat("L\n", 40000)},
      {"a failing second line before a few", "ok\nx<F.SIZEX:-2147483649>\n" + Repeat("L\n", 10)},
      {"32,767 characters", std::string(32767, 'x') + "\n"},
      {"32,768 characters", std::string(32768, 'x') + "\nafter\n"},
      {"32,767 two-byte characters", Repeat(e_acute, 32767) + "\n"},
      {"32,768 two-byte characters", Repeat(e_acute, 32768) + "\n"},
      {"32,766 units beyond the basic plane and one", Repeat(emoji, 16383) + "x\n"},
      {"32,768 units beyond the basic plane", Repeat(emoji, 16384) + "\n"},
      {"a long note", "<" + pad + "\nafter\n"},
      {"a long separator", "before\n" + pad + "/L\nafter\n"},
      {"a long separator of wide characters", Repeat(e_acute, 100000) + "/L\n"},
      {"a long separator with every suffix", "x<F.BOLD><F.COLOR:5>" + pad + "/l/i/B\n"},
      {"a long line out of order", pad + "/B/L\n"},
      {"a long line with no suffix", "before\n" + pad + "\nafter\n"},
      {"a flag tag past 32,767 in a separator", "x" + pad + "<F.ITALIC>/L\n"},
      {"a value early in a long separator", "x<F.SIZEX:5>" + pad + "/L\n"},
      {"a value late in a long separator", "x" + pad + "<f.namex:Arial>/L\n"},
      {"a colour late in a long separator", "x" + pad + "<F.COLOR:5>/L\n"},
      {"a flag tag early and again late", "x<F.UNDERLINE>" + pad + "<F.UNDERLINE>/L\n"},
      {"a long separator between entries", "a;" + pad + "/L;b\n"},
      {"a long failing line before many", "ok\n" + pad + "\n" + Repeat("L\n", 40000)},
  };
  // A tag at and around each place where a long line is cut: the 16-bit position limit,
  // and wherever a reader may take the line in parts.
  for (std::size_t at :
       {32760, 32765, 32766, 32767, 32768, 49140, 49150, 49152, 65530, 65536, 131060, 131072}) {
    for (const char* tag : {"<F.STRIKETHROUGH>", "<F.WGHT:7>"}) {
      files.push_back({std::string(tag) + " after " + std::to_string(at),
                       std::string(at, 'x') + tag + std::string(200000 - at, 'x') + "/L\n"});
    }
  }
  return files;
}

class LocaleTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { std::setlocale(LC_CTYPE, GetParam()); }
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_P(LocaleTest, ReadingAFileGivesWhatReadingItWholeGave) {
  const TempFolder folder("tickerell-limits");
  for (const File& file : FilesAroundTheLimits()) {
    const std::string path = folder.Write("script", file.bytes);
    TickerellState s = ReadyInstance(path);
    EXPECT_EQ(testing::OutcomeOf(s, [&] { s.SetupMainBufferLines(); }),
              testing::WholeSourceOutcome(testing::WholeFileSource(file.bytes), s.m_ForeColor))
        << file.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleTest, ::testing::Values("C", "C.UTF-8"));

// The bytes this process has read from files so far.
std::optional<std::uint64_t> BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string name;
  std::uint64_t value = 0;
  while (io >> name >> value)
    if (name == "rchar:") return value;
  return std::nullopt;
}

TEST(CaptionFileReading, StopsWhereTheResultIsDecided) {
  if (!BytesRead()) GTEST_SKIP() << "this system does not count the bytes a process reads";
  const TempFolder folder("tickerell-stops");
  const struct {
    const char* what;
    std::string start;
  } cases[] = {
      {"32,769 entries", Repeat("<note\n", 32768)},
      {"a first line that fails", "x<F.COLOR:99999999999>\n"},
      {"a long first line that fails whatever ends it", "x<F.SIZEX:1>" + std::string(40000, 'x')},
      {"a long first line with a failing tag further on", std::string(60000, 'x') + "<F.WGHT:"},
  };
  constexpr std::uintmax_t kFileSize = 256 << 20;  // the rest is a hole, read as zeros
  for (const auto& c : cases) {
    const std::string path = folder.Write("script", c.start);
    fs::resize_file(path, kFileSize);
    TickerellState s = ReadyInstance(path);
    const std::uint64_t before = *BytesRead();
    EXPECT_EQ(ErrorOf([&] { s.SetupMainBufferLines(); }), tk::kOverflow) << c.what;
    EXPECT_EQ(s.LineCount, 0) << c.what;
    EXPECT_LT(*BytesRead() - before, c.start.size() + (4u << 20)) << c.what;
  }
}

}  // namespace
}  // namespace tickerell

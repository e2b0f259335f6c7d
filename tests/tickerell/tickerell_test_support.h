// Small helpers shared by the control's parser tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "error_of.h"
#include "runtime/prompts.h"
#include "tickerell_state.h"

namespace tickerell {

// Lets a failing comparison show the lines it compared.
inline void PrintTo(const BufferLine& l, std::ostream* os) {
  *os << "{\"" << l.Text << "\" B" << l.Format.Bold << " I" << l.Format.Italic << " S"
      << l.Format.Strikethrough << " U" << l.Format.Underline << " name=" << l.Format.Name
      << " size=" << l.Format.Size << " weight=" << l.Format.Weight
      << " charset=" << l.Format.Charset << " color=" << l.Color << "}";
}

namespace testing {

inline constexpr OleColor kForeColor = 0x00123456;

// A format built from the default one, a setting at a time.
struct Fmt {
  LineFormat f = DefaultLineFormat();
  Fmt& Bold() { return f.Bold = tk::kTrue16, *this; }
  Fmt& Italic() { return f.Italic = tk::kTrue16, *this; }
  Fmt& Strike() { return f.Strikethrough = tk::kTrue16, *this; }
  Fmt& Underline() { return f.Underline = tk::kTrue16, *this; }
  Fmt& Size(int v) { return f.Size = v, *this; }
  Fmt& Weight(int v) { return f.Weight = v, *this; }
  Fmt& Charset(int v) { return f.Charset = v, *this; }
  Fmt& Name(std::string v) { return f.Name = std::move(v), *this; }
  operator LineFormat() const { return f; }  // NOLINT: reads as a format in tables
};

// An instance whose stored properties have been read, so that it parses its caption.
inline TickerellState ReadyInstance(const std::string& caption, OleColor fore = kForeColor) {
  TickerellState s;
  s.DebugMode = tk::kTrue16;
  s.PropertiesRead = tk::kTrue16;
  s.m_ForeColor = fore;
  s.m_Caption = caption;
  return s;
}

inline std::vector<BufferLine> Lines(const TickerellState& s) {
  std::vector<BufferLine> lines;
  for (int i = 1; i <= s.LineCount; ++i) lines.push_back(s.LineBuffer[i]);
  return lines;
}

using tk::testing::ErrorOf;

// Answers every message box with OK and keeps what it was asked.
class BoxRecorder {
 public:
  BoxRecorder() {
    previous_ = tk::InstallPrompter({[this](const tk::MessageBoxRequest& r) {
                                       boxes.push_back(r);
                                       return int{tk::kAnswerOk};
                                     },
                                     nullptr});
  }
  ~BoxRecorder() { tk::InstallPrompter(previous_); }
  std::vector<tk::MessageBoxRequest> boxes;

 private:
  tk::Prompter previous_;
};

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testing
}  // namespace tickerell

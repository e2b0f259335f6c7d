// The runtime's message box and input box, as plain calls. The windowing layer installs
// the real boxes; tests install a recorder that answers them. With nothing installed a
// box answers at once (OK, or the default button; the input box gives Cancel's "").
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tk {

// Styles: icon + buttons. Icons: critical 16, question 32, exclamation 48, information 64.
// Buttons: OK 0, Yes/No 4. Answers: OK 1, Yes 6, No 7.
enum MsgBoxStyle : int {
  kOkOnly = 0,
  kYesNo = 4,
  kCritical = 16,
  kQuestion = 32,
  kExclamation = 48,
  kInformation = 64,
};
enum MsgBoxAnswer : int { kAnswerOk = 1, kAnswerYes = 6, kAnswerNo = 7 };

struct MessageBoxRequest {
  std::string text;  // a carriage return (character 13) breaks the line
  int style = 0;
  std::string title;  // already resolved: the given title or the application's title
};

struct InputBoxRequest {
  std::string prompt;
  std::string title;
  std::string default_text;
};

// An input box answers with the text typed, or nullopt for Cancel (MsgBox callers see "").
struct Prompter {
  std::function<int(const MessageBoxRequest&)> message_box;
  std::function<std::optional<std::string>(const InputBoxRequest&)> input_box;
};

// Replaces the boxes; returns the previous ones so a test can put them back.
Prompter InstallPrompter(Prompter prompter);

// `app_title` is the calling deliverable's title, shown when `title` is not given.
int MsgBox(const std::string& text, int style = kOkOnly,
           const std::optional<std::string>& title = std::nullopt,
           const std::optional<std::string>& app_title = std::nullopt);
// The text typed, or "" on Cancel.
std::string InputBox(const std::string& prompt,
                     const std::optional<std::string>& title = std::nullopt,
                     const std::string& default_text = "",
                     const std::optional<std::string>& app_title = std::nullopt);

}  // namespace tk

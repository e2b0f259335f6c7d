#include "runtime/prompts.h"

#include <utility>

#include "runtime/app_info.h"

namespace tk {
namespace {

Prompter& Current() {
  static Prompter prompter;
  return prompter;
}

}  // namespace

Prompter InstallPrompter(Prompter prompter) {
  return std::exchange(Current(), std::move(prompter));
}

int MsgBox(const std::string& text, int style, const std::optional<std::string>& title,
           const std::optional<std::string>& app_title) {
  MessageBoxRequest req{text, style, title ? *title : app_title ? *app_title : AppTitle()};
  if (Current().message_box) return Current().message_box(req);
  return (style & 0x0F) == kYesNo ? kAnswerYes : kAnswerOk;
}

std::string InputBox(const std::string& prompt, const std::optional<std::string>& title,
                     const std::string& default_text, const std::optional<std::string>& app_title) {
  InputBoxRequest req{prompt, title ? *title : app_title ? *app_title : AppTitle(), default_text};
  if (Current().input_box) return Current().input_box(req).value_or("");
  return "";
}

}  // namespace tk

#include "toolkit/ui/display_text.h"

namespace tk {

QString DisplayText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

}  // namespace tk

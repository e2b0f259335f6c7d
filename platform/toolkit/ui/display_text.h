// Text as the runtime writes it, for showing with Qt: a carriage return, with or without a
// line feed, breaks the line.
#pragma once

#include <QString>
#include <string>

namespace tk {

QString DisplayText(const std::string& text);

}  // namespace tk

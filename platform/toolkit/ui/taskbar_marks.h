// Whether taskbars and pagers list a top-level window. A window kept out of them is marked
// so on the X server each time before it is mapped (the window manager reads the marks
// when it maps a window, and drops them when the window is withdrawn); elsewhere, and for
// a window listed, nothing is marked.
#pragma once

class QWidget;

namespace tk {

void SetShownInTaskbar(QWidget& window, bool shown);

}  // namespace tk

#include "toolkit/ui/taskbar_marks.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/ui/x11_manager.h"

namespace tk {
namespace {

// Adds the skip marks to the window's state, keeping what is there. Qt merges its own
// states into the property when it maps the window, so the marks stay.
void MarkSkipped(QWidget& window) {
  xcb_connection_t* c = x11::Connection();
  if (c == nullptr) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t state = x11::Atom(c, "_NET_WM_STATE");
  std::vector<std::uint32_t> states = x11::Values32(c, id, state, XCB_ATOM_ATOM);
  for (const char* mark : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
    const xcb_atom_t atom = x11::Atom(c, mark);
    if (std::find(states.begin(), states.end(), atom) == states.end()) states.push_back(atom);
  }
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(states.size()), states.data());
}

// The show event of a top-level widget comes before its native window is mapped.
class SkipMarker : public QObject {
 public:
  explicit SkipMarker(QWidget& window) : QObject(&window) { setObjectName(kName); }
  static constexpr char kName[] = "tk_taskbar_skip_marker";

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      auto* w = static_cast<QWidget*>(watched);
      if (w->isWindow()) MarkSkipped(*w);
    }
    return false;
  }
};

}  // namespace

void SetShownInTaskbar(QWidget& window, bool shown) {
  QObject* marker = window.findChild<QObject*>(SkipMarker::kName, Qt::FindDirectChildrenOnly);
  if (shown) {
    delete marker;
    return;
  }
  if (marker == nullptr) window.installEventFilter(new SkipMarker(window));
}

}  // namespace tk

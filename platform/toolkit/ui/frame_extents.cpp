#include "toolkit/ui/frame_extents.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "toolkit/ui/x11_manager.h"

namespace tk {
namespace {

// How long a manager that says it answers frame requests, and has not yet failed to, is
// given before a window is shown. The request goes out when the window is created, so a
// manager that answers has usually done so by then; a player never feels this.
constexpr int kAnswerWaitMs = 8;

using x11::Atom;
using x11::Connection;
using x11::Reply;
using x11::Values32;

xcb_atom_t FrameExtentsAtom(xcb_connection_t* c) {
  static const xcb_atom_t atom = Atom(c, "_NET_FRAME_EXTENTS");
  return atom;
}

// Managers (by their check window) that once let a request go unanswered.
std::set<xcb_window_t>& SilentManagers() {
  static std::set<xcb_window_t> silent;
  return silent;
}

// The last frame a manager put around a window with a title bar.
std::optional<QMargins>& LastTitledFrame() {
  static std::optional<QMargins> frame;
  return frame;
}

// Windows asked about and not yet shown.
std::set<xcb_window_t>& AskedWindows() {
  static std::set<xcb_window_t> asked;
  return asked;
}

// The window's frame extents property, in the window's pixels, when it has one.
std::optional<QMargins> FrameExtents(xcb_connection_t* c, const QWidget& window) {
  const auto v = Values32(c, static_cast<xcb_window_t>(window.winId()), FrameExtentsAtom(c),
                          XCB_ATOM_CARDINAL);
  if (v.size() != 4) return std::nullopt;
  // Left, right, top, bottom, in the screen's pixels.
  const double dpr = window.devicePixelRatioF();
  const auto px = [dpr](std::uint32_t n) { return static_cast<int>(std::lround(n / dpr)); };
  const QMargins frame(px(v[0]), px(v[2]), px(v[1]), px(v[3]));
  if (frame.top() > 0) LastTitledFrame() = frame;
  return frame;
}

bool HasFrame(const QWidget* window) {
  return window != nullptr && window->isWindow() &&
         !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

// The manager's check window when a manager runs that answers frame requests, else 0.
xcb_window_t AnsweringManager(xcb_connection_t* c, xcb_window_t root) {
  if (!x11::ManagerSupports(c, root, Atom(c, "_NET_REQUEST_FRAME_EXTENTS"))) return 0;
  const auto check = Values32(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
  return check.size() == 1 ? check[0] : 0;
}

xcb_window_t Root(xcb_connection_t* c) {
  return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// Frame changes of the windows that wait for their first, seen among the X events Qt
// reads.
class FramedWatcher : public QAbstractNativeEventFilter {
 public:
  struct Waiting {
    QPointer<QWidget> window;
    std::function<void(const QMargins&)> framed;
  };

  static FramedWatcher& Instance() {
    static auto* watcher = new FramedWatcher;  // lives as long as the program
    static QCoreApplication* installed_on = nullptr;
    if (QCoreApplication::instance() != installed_on) {
      installed_on = QCoreApplication::instance();
      if (installed_on != nullptr) installed_on->installNativeEventFilter(watcher);
    }
    return *watcher;
  }

  void Add(xcb_window_t id, Waiting w) { waiting_[id] = std::move(w); }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (waiting_.empty() || type != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
    xcb_connection_t* c = Connection();
    if (c == nullptr || p->atom != FrameExtentsAtom(c) || p->state != XCB_PROPERTY_NEW_VALUE)
      return false;
    const auto it = waiting_.find(p->window);
    if (it == waiting_.end()) return false;
    Waiting w = std::move(it->second);
    waiting_.erase(it);
    QWidget* window = w.window;
    if (window == nullptr) return false;
    // Acted on outside the event's dispatch, once Qt has taken in the rest of the batch.
    QTimer::singleShot(0, window, [window, framed = std::move(w.framed)] {
      if (xcb_connection_t* c = Connection()) {
        if (const auto frame = FrameExtents(c, *window)) framed(*frame);
      }
    });
    return false;
  }

 private:
  std::map<xcb_window_t, Waiting> waiting_;
};

}  // namespace

void AskFrameMargins(QWidget* window) {
  if (!HasFrame(window)) return;
  xcb_connection_t* c = Connection();
  if (c == nullptr) return;
  const xcb_window_t root = Root(c);
  if (AnsweringManager(c, root) == 0) return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  xcb_delete_property(c, id, FrameExtentsAtom(c));
  xcb_client_message_event_t ask{};
  ask.response_type = XCB_CLIENT_MESSAGE;
  ask.format = 32;
  ask.window = id;
  ask.type = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&ask));
  xcb_flush(c);
  AskedWindows().insert(id);
}

ExpectedFrame ExpectedFrameMargins(QWidget* window) {
  if (!HasFrame(window)) return {};
  xcb_connection_t* c = Connection();
  if (c == nullptr) return {};
  const auto id = static_cast<xcb_window_t>(window->winId());
  if (AskedWindows().count(id) == 0) AskFrameMargins(window);
  if (AskedWindows().erase(id) == 0) return {};  // no manager here answers frame requests
  const xcb_window_t manager = AnsweringManager(c, Root(c));
  // The manager answers by setting the window's frame extents.
  if (SilentManagers().count(manager) == 0) {
    QElapsedTimer clock;
    clock.start();
    do {
      if (const auto frame = FrameExtents(c, *window)) return {*frame, true};
      QThread::msleep(1);
    } while (clock.elapsed() < kAnswerWaitMs);
    if (const auto frame = FrameExtents(c, *window)) return {*frame, true};
    SilentManagers().insert(manager);
  }
  return {LastTitledFrame().value_or(QMargins()), false};
}

void OnceFramed(QWidget* window, std::function<void(const QMargins&)> framed) {
  if (window == nullptr || Connection() == nullptr) return;
  FramedWatcher::Instance().Add(static_cast<xcb_window_t>(window->winId()),
                                {window, std::move(framed)});
}

QMargins FrameMargins(const QWidget& window) {
  // Qt's copy may lag behind the manager's changes; the server's is current.
  xcb_connection_t* c = Connection();
  if (c != nullptr && window.isWindow() && window.testAttribute(Qt::WA_WState_Created)) {
    if (const auto frame = FrameExtents(c, window)) return *frame;
  }
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

}  // namespace tk

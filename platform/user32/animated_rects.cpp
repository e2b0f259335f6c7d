// DrawAnimatedRects with IDANI_CAPTION: a strip in the colours of an active caption bar
// flies from one screen rectangle to another, the way a window's caption seems to fly
// to or from its place. The strip is a frameless window of its own that takes neither
// the focus nor the mouse, and it is destroyed before the call returns. Where the window
// system places new windows itself, the strip could not fly, so none is drawn.
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "toolkit/ui/window_system.h"
#include "user32/timed_steps.h"
#include "user32/user32.h"

namespace user32 {
namespace {

constexpr int kFlightMs = 200;
constexpr int kCaptionHeight = 18;  // pixels, the height of a caption bar
constexpr int kMinimumSide = 4;     // an empty rectangle still shows as a small strip

class CaptionStrip : public QWidget {
 public:
  CaptionStrip()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QLinearGradient caption(0, 0, width(), 0);
    caption.setColorAt(0.0, QColor(0, 0, 128));
    caption.setColorAt(1.0, QColor(16, 132, 208));
    painter.fillRect(rect(), caption);
  }
};

QRect StripAt(const RECT& from, const RECT& to, double t) {
  auto lerp = [t](std::int32_t a, std::int32_t b) {
    return static_cast<int>(std::lround(a + (static_cast<double>(b) - a) * t));
  };
  const int left = lerp(from.Left, to.Left);
  const int top = lerp(from.Top, to.Top);
  const int right = lerp(from.Right, to.Right);
  const int bottom = lerp(from.Bottom, to.Bottom);
  const int width = std::max(kMinimumSide, right - left);
  const int height = std::clamp(bottom - top, kMinimumSide, kCaptionHeight);
  return QRect(left, top, width, height);
}

}  // namespace

BOOL DrawAnimatedRects(HWND /*hwnd*/, int kind, const RECT* from, const RECT* to) {
  if (kind != IDANI_CAPTION || from == nullptr || to == nullptr || qApp == nullptr) return 0;
  if (!tk::WindowSystem().places_windows) return 1;
  const RECT a = *from;
  const RECT b = *to;
  CaptionStrip strip;
  strip.setGeometry(StripAt(a, b, 0.0));
  strip.show();
  detail::RunTimedSteps(kFlightMs, [&](double t) {
    strip.setGeometry(StripAt(a, b, t));
    return true;
  });
  return 1;
}

}  // namespace user32

// AnimateWindow: the window's geometry is animated in timed steps. Collapsing towards the
// centre, rolling from an edge and sliding all shrink or grow the window's rectangle;
// blending fades its opacity. Where windows cannot be moved, a hiding window keeps its
// place and a picture of it shrinks inside it instead; where not even that can be drawn,
// the window goes at once.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "toolkit/ui/window_system.h"
#include "user32/picture_in_place.h"
#include "user32/timed_steps.h"
#include "user32/user32.h"
#include "user32/window_handles.h"

namespace user32 {
namespace {

constexpr DWORD kKnownFlags = AW_HOR_POSITIVE | AW_HOR_NEGATIVE | AW_VER_POSITIVE |
                              AW_VER_NEGATIVE | AW_CENTER | AW_HIDE | AW_ACTIVATE | AW_SLIDE |
                              AW_BLEND;
constexpr DWORD kDirections = AW_HOR_POSITIVE | AW_HOR_NEGATIVE | AW_VER_POSITIVE | AW_VER_NEGATIVE;

// The rectangle the window shrinks to when hidden (or grows from when shown): a point at
// its centre, or its trailing edge in the direction of the motion.
QRect CollapsedRect(const QRect& full, DWORD flags, bool hiding) {
  if (flags & AW_CENTER) return QRect(full.center(), QSize(1, 1));
  QRect r = full;
  // Hiding from left to right leaves the right edge last; showing from left to right
  // starts at the left edge.
  const bool toRight = (flags & AW_HOR_POSITIVE) != 0;
  const bool toLeft = (flags & AW_HOR_NEGATIVE) != 0;
  const bool down = (flags & AW_VER_POSITIVE) != 0;
  const bool up = (flags & AW_VER_NEGATIVE) != 0;
  if (toRight || toLeft) {
    const bool keepRight = (toRight == hiding);
    r.setWidth(1);
    if (keepRight) r.moveRight(full.right());
  }
  if (down || up) {
    const bool keepBottom = (down == hiding);
    r.setHeight(1);
    if (keepBottom) r.moveBottom(full.bottom());
  }
  return r;
}

int Lerp(int a, int b, double t) {
  return static_cast<int>(std::lround(a + (b - a) * t));
}

// Edges are interpolated, not sizes, so an edge that stays put never wobbles.
QRect LerpRect(const QRect& a, const QRect& b, double t) {
  const int left = Lerp(a.left(), b.left(), t);
  const int top = Lerp(a.top(), b.top(), t);
  const int right = Lerp(a.left() + a.width(), b.left() + b.width(), t);
  const int bottom = Lerp(a.top() + a.height(), b.top() + b.height(), t);
  return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

// Lets the window take any size during the animation; puts its limits back afterwards.
class SizeLimitsLifted {
 public:
  explicit SizeLimitsLifted(QWidget* w) : w_(w), min_(w->minimumSize()), max_(w->maximumSize()) {
    if (!min_.isNull()) w->setMinimumSize(0, 0);
    if (max_ != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
      w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  ~SizeLimitsLifted() {
    if (!w_) return;
    if (w_->minimumSize() != min_) w_->setMinimumSize(min_);
    if (w_->maximumSize() != max_) w_->setMaximumSize(max_);
  }
  SizeLimitsLifted(const SizeLimitsLifted&) = delete;
  SizeLimitsLifted& operator=(const SizeLimitsLifted&) = delete;

 private:
  QPointer<QWidget> w_;
  QSize min_, max_;
};

void Blend(QWidget* w, DWORD milliseconds, bool hiding) {
  QPointer<QWidget> guard(w);
  const double opacity = w->windowOpacity();
  if (!hiding) {
    w->setWindowOpacity(0.0);
    w->show();
  }
  detail::RunTimedSteps(static_cast<int>(milliseconds), [&](double t) {
    if (!guard) return false;
    guard->setWindowOpacity(opacity * (hiding ? 1.0 - t : t));
    return true;
  });
  if (!guard) return;
  if (hiding) w->hide();
  w->setWindowOpacity(opacity);
}

// The window itself stays; only its picture shrinks, within the window's outer rectangle.
void ShrinkPicture(QWidget* w, DWORD milliseconds, DWORD flags) {
  QPointer<QWidget> guard(w);
  detail::PictureInPlace picture(*w);
  const QRect full = picture.Outer();
  const QRect collapsed = CollapsedRect(full, flags, true);
  detail::RunTimedSteps(static_cast<int>(milliseconds), [&](double t) {
    if (!guard) return false;
    picture.ShowIn(LerpRect(full, collapsed, t));
    return true;
  });
  // Hidden before the picture gives the window its frame and size back.
  if (guard) w->hide();
}

void Reshape(QWidget* w, DWORD milliseconds, DWORD flags, bool hiding) {
  const tk::WindowSystemAbilities system = tk::WindowSystem();
  if (!system.places_windows) {
    // A picture can be drawn in place only over a see-through background, and only for
    // hiding: a window being shown has no picture yet. Otherwise no animation at all,
    // rather than one that heads for the corner the window system keeps still.
    if (hiding && system.shows_translucency && w->testAttribute(Qt::WA_TranslucentBackground))
      ShrinkPicture(w, milliseconds, flags);
    else
      w->setVisible(!hiding);
    return;
  }
  QPointer<QWidget> guard(w);
  const QRect full = w->geometry();
  const QRect collapsed = CollapsedRect(full, flags, hiding);
  {
    SizeLimitsLifted lifted(w);
    if (!hiding) {
      w->setGeometry(collapsed);
      w->show();
    }
    detail::RunTimedSteps(static_cast<int>(milliseconds), [&](double t) {
      if (!guard) return false;
      guard->setGeometry(hiding ? LerpRect(full, collapsed, t) : LerpRect(collapsed, full, t));
      return true;
    });
    if (!guard) return;
    if (hiding) w->hide();
  }
  w->setGeometry(full);
}

}  // namespace

BOOL AnimateWindow(HWND hwnd, DWORD milliseconds, DWORD flags) {
  QWidget* w = detail::TopLevelFromHwnd(hwnd);
  if (w == nullptr) return 0;
  if (flags == 0 || (flags & ~kKnownFlags) != 0) return 0;
  const bool hiding = (flags & AW_HIDE) != 0;
  if (hiding && (flags & AW_ACTIVATE)) return 0;
  if (hiding != w->isVisible()) return 0;  // already in the state asked for

  QPointer<QWidget> guard(w);
  if (flags & AW_BLEND) {
    Blend(w, milliseconds, hiding);
  } else if (flags & (AW_CENTER | kDirections)) {
    Reshape(w, milliseconds, flags, hiding);
  } else if (hiding) {
    w->hide();
  } else {
    w->show();
  }
  if (!hiding && (flags & AW_ACTIVATE) && guard) {
    guard->raise();
    guard->activateWindow();
  }
  return 1;
}

}  // namespace user32

#include "toolkit/ui/form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "runtime/errors.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/frame_extents.h"
#include "toolkit/ui/qt_pictures.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/taskbar_marks.h"
#include "toolkit/ui/window_system.h"

namespace tk {
namespace {

std::vector<Form*>& LoadedForms() {
  static std::vector<Form*> forms;
  return forms;
}

int ToPx(double twips, double tpp) {
  return static_cast<int>(std::lround(twips / tpp));
}

// A window's outer edges on the screen, its frame included.
QRect OuterRect(const QWidget& w) {
  return w.geometry().marginsAdded(FrameMargins(w));
}

// Puts the window's outer top-left corner at a point of the screen.
void MoveOuterTo(QWidget& w, QPoint corner) {
  if (!w.testAttribute(Qt::WA_WState_Created)) {
    // Before the native window exists, Qt asks the manager to put the frame's corner there.
    w.move(corner);
    return;
  }
  const QMargins frame = FrameMargins(w);
  w.setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), w.size()));
}

// Puts the window with the given frame around it in the middle of `area`.
void CentreOn(QWidget& w, const QRect& area, const QMargins& frame) {
  const QSize outer = w.size().grownBy(frame);
  const QPoint corner(area.x() + (area.width() - outer.width()) / 2,
                      area.y() + (area.height() - outer.height()) / 2);
  w.setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), w.size()));
}

}  // namespace

// The top-level widget of a form: the menu bar above the client area.
class FormWindow : public QWidget {
 public:
  FormWindow(Form& form, Qt::WindowFlags flags, QWidget* owner)
      : QWidget(owner, flags), form_(form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    bool accept = true;
    form_.CloseRequested(accept);
    if (accept)
      e->accept();
    else
      e->ignore();
  }

 private:
  Form& form_;
};

namespace {

// Raises the window's resize handler whenever its client area changes size.
class ClientResizeWatcher : public QObject {
 public:
  ClientResizeWatcher(QObject* parent, std::function<void()> on_resize)
      : QObject(parent), on_resize_(std::move(on_resize)) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Resize) on_resize_();
    return false;
  }

 private:
  std::function<void()> on_resize_;
};

}  // namespace

MenuItem::MenuItem(std::string name, QAction* action, QMenu* menu)
    : name_(std::move(name)), action_(action), menu_(menu) {}

std::string MenuItem::Caption() const {
  return action_->text().toStdString();
}

bool MenuItem::Enabled() const {
  return action_->isEnabled();
}

void MenuItem::SetEnabled(bool on) {
  action_->setEnabled(on);
}

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
  auto& forms = LoadedForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (client_) client_->DetachAll();
  delete window_.data();
}

Form* ActiveForm() {
  auto& forms = LoadedForms();
  for (Form* f : forms) {
    if (f->Window() && f->Window()->isActiveWindow()) return f;
  }
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    if ((*it)->Window() && (*it)->Window()->isVisible()) return *it;
  }
  return nullptr;
}

void Form::Create() {
  auto* window = new FormWindow(*this, Qt::Window, nullptr);
  window_ = window;
  window->setObjectName(QString::fromStdString(name_));
  // Where windows cannot be moved, their closing animation is drawn inside them over a
  // see-through background; the alpha channel that needs can only be had from the start.
  if (const WindowSystemAbilities ws = WindowSystem();
      !ws.places_windows && ws.shows_translucency) {
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAttribute(Qt::WA_NoSystemBackground, false);  // drawn opaque all the same
  }
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menu_bar_ = new QMenuBar(window);
  menu_bar_->setNativeMenuBar(false);
  menu_bar_->hide();
  layout->setMenuBar(menu_bar_);
  client_ = new ControlSurface(*this, window);
  client_->setObjectName("client");
  layout->addWidget(client_);
  client_->installEventFilter(new ClientResizeWatcher(client_, [this] { ClientResized(); }));
}

Qt::WindowFlags Form::WindowFlagsAndOwner(QWidget*& owner) const {
  Qt::WindowFlags flags = Qt::Window;
  switch (attrs_.border) {
    case BorderStyle::kNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case BorderStyle::kFixedDialog:
      flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (attrs_.control_box) flags |= Qt::WindowCloseButtonHint;
      break;
    case BorderStyle::kFixedSingle:
    case BorderStyle::kSizable:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (attrs_.control_box) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (attrs_.min_button) flags |= Qt::WindowMinimizeButtonHint;
        if (attrs_.max_button) flags |= Qt::WindowMaximizeButtonHint;
      }
      break;
  }
  owner = nullptr;
  if (!attrs_.show_in_taskbar) {
    // A window owned by another stays out of the taskbar; with no owner, a tool window.
    Form* active = ActiveForm();
    owner = active != nullptr && active != this ? active->Window() : nullptr;
    if (owner == nullptr)
      flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
    else if (attrs_.border != BorderStyle::kFixedDialog)
      flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
  }
  return flags;
}

void Form::ApplyAttributes() {
  QWidget* w = window_;
  QWidget* owner = nullptr;
  const Qt::WindowFlags flags = WindowFlagsAndOwner(owner);
  w->setParent(owner, flags);
  SetShownInTaskbar(*w, attrs_.show_in_taskbar);
  w->setWindowTitle(QString::fromStdString(attrs_.caption));
  if (attrs_.icon) w->setWindowIcon(QIcon(QPixmap::fromImage(ToQImage(*attrs_.icon))));
  client_->SetBackColor(attrs_.back_color);
  const int cw = ToPx(attrs_.client_width, TwipsPerPixelX());
  const int ch = ToPx(attrs_.client_height, TwipsPerPixelY());
  const int menu_h = menu_bar_->isVisibleTo(w) ? menu_bar_->sizeHint().height() : 0;
  if (attrs_.border == BorderStyle::kSizable) {
    w->resize(cw, ch + menu_h);
  } else if (!WindowSystem().places_windows) {
    // The compositor's decorations offer every window a maximize button, and a window that
    // keeps its size when maximized there is a protocol error that ends the program: a
    // fixed window may grow there, its contents staying as designed.
    w->setMinimumSize(cw, ch + menu_h);
    w->resize(cw, ch + menu_h);
  } else {
    w->setFixedSize(cw, ch + menu_h);
  }
  client_->resize(cw, ch);
  // The window manager is asked now, so that its answer is in by the time the window shows.
  if (attrs_.start_position != StartUpPosition::kManual) AskFrameMargins(w);
}

void Form::Load() {
  if (loaded_ || loading_) return;
  loading_ = true;
  controls_.clear();
  menus_.clear();
  attrs_ = FormAttributes{};
  try {
    Create();
    Describe();
    ApplyAttributes();
  } catch (...) {
    // A window whose description fails (a control that cannot be created) is not loaded.
    if (client_) client_->DetachAll();
    for (auto& c : controls_) c->Detach();
    controls_.clear();
    menus_.clear();
    delete window_.data();
    window_ = nullptr;
    client_ = nullptr;
    menu_bar_ = nullptr;
    loading_ = false;
    throw;
  }
  loaded_ = true;
  loading_ = false;
  unloading_ = false;
  shown_once_ = false;
  LoadedForms().push_back(this);
  WindowLoaded();
  Form_Load();
}

void Form::PlaceAtStart() {
  if (attrs_.start_position == StartUpPosition::kManual) return;
  QWidget* w = window_;
  QRect area(0, 0, 1024, 768);
  if (QScreen* s = QGuiApplication::primaryScreen()) area = s->geometry();
  if (attrs_.start_position == StartUpPosition::kCenterOwner) {
    Form* owner = nullptr;
    for (Form* f : LoadedForms()) {
      if (f != this && f->Window() && f->Window()->isVisible()) owner = f;
    }
    if (Form* active = ActiveForm(); active != nullptr && active != this) owner = active;
    if (owner) area = OuterRect(*owner->Window());
  }
  // The whole window is centred, the frame the window manager is about to add included.
  const ExpectedFrame expected = ExpectedFrameMargins(w);
  CentreOn(*w, area, expected.margins);
  if (expected.answered) return;
  // A manager that did not say shows the frame once it has framed the window: centred
  // again then, unless the guess was right.
  OnceFramed(w, [w, area, assumed = expected.margins](const QMargins& frame) {
    if (frame != assumed) CentreOn(*w, area, frame);
  });
}

void Form::Show(int modal) {
  Load();
  if (!loaded_ || !window_) return;
  QWidget* w = window_;
  if (!shown_once_) {
    shown_once_ = true;
    PlaceAtStart();
    Form_Resize();
    if (!window_) return;
  }
  if (modal != 0) {
    if (modal_loop_ != nullptr) Raise(kInvalidProcedureCall);  // already shown modally
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    QEventLoop loop;
    modal_loop_ = &loop;
    if (loaded_) loop.exec();
    modal_loop_ = nullptr;
    return;
  }
  w->show();
  w->raise();
  w->activateWindow();
}

void Form::CloseRequested(bool& accept) {
  if (unloading_) return;  // the window is going away already
  accept = false;
  RunHandler([&] { Unload(); });
  accept = !loaded_;
}

void Form::Unload() {
  if (!loaded_ || unloading_) return;
  unloading_ = true;
  std::int16_t cancel = 0;
  try {
    Form_Unload(cancel);
  } catch (...) {
    unloading_ = false;
    throw;
  }
  if (cancel != 0) {
    unloading_ = false;
    return;
  }
  Destroy();
}

void Form::Destroy() {
  loaded_ = false;
  auto& forms = LoadedForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  client_->DetachAll();
  for (auto& c : controls_) c->Detach();
  // Handlers of these controls may be running further up the stack; they are freed once
  // the event loop is back in control.
  auto retired = std::make_shared<std::vector<std::unique_ptr<Control>>>(std::move(controls_));
  auto retired_menus = std::make_shared<std::vector<std::unique_ptr<MenuItem>>>(std::move(menus_));
  controls_.clear();
  menus_.clear();
  QWidget* w = window_;
  window_ = nullptr;
  client_ = nullptr;
  menu_bar_ = nullptr;
  w->hide();
  QObject::connect(w, &QObject::destroyed, [retired, retired_menus] {});
  w->deleteLater();
  if (modal_loop_ != nullptr) modal_loop_->quit();
  WindowUnloaded();
}

Hwnd Form::hWnd() const {
  return static_cast<void*>(window_.data());
}

QWidget* Form::Window() const {
  return window_;
}

ControlSurface& Form::Client() const {
  if (client_ == nullptr) Raise(kObjectRequired);
  return *client_;
}

std::string Form::Caption() const {
  return window_ ? window_->windowTitle().toStdString() : attrs_.caption;
}

void Form::SetCaption(const std::string& caption) {
  attrs_.caption = caption;
  if (window_) window_->setWindowTitle(QString::fromStdString(caption));
}

double Form::Left() const {
  return window_ ? OuterRect(*window_).x() * TwipsPerPixelX() : 0;
}
double Form::Top() const {
  return window_ ? OuterRect(*window_).y() * TwipsPerPixelY() : 0;
}
double Form::Width() const {
  return window_ ? OuterRect(*window_).width() * TwipsPerPixelX() : 0;
}
double Form::Height() const {
  return window_ ? OuterRect(*window_).height() * TwipsPerPixelY() : 0;
}

void Form::SetLeft(double twips) {
  if (!window_) Raise(kObjectRequired);
  MoveOuterTo(*window_, QPoint(ToPx(twips, TwipsPerPixelX()), OuterRect(*window_).y()));
}

void Form::SetTop(double twips) {
  if (!window_) Raise(kObjectRequired);
  MoveOuterTo(*window_, QPoint(OuterRect(*window_).x(), ToPx(twips, TwipsPerPixelY())));
}

double Form::ScaleWidth() const {
  return client_ ? client_->width() * TwipsPerPixelX() : 0;
}

double Form::ScaleHeight() const {
  return client_ ? client_->height() * TwipsPerPixelY() : 0;
}

void Form::Refresh() {
  if (window_) window_->repaint();
}

void Form::ClientResized() {
  if (!client_ || !loaded_) return;
  if (attrs_.resize_contents) {
    const double dw = attrs_.client_width / TwipsPerPixelX();
    const double dh = attrs_.client_height / TwipsPerPixelY();
    if (dw > 0 && dh > 0) client_->SetScale(client_->width() / dw, client_->height() / dh);
  }
  if (shown_once_) RunHandler([this] { Form_Resize(); });
}

Control* Form::ControlAt(QPointF global) const {
  if (!client_) return nullptr;
  // The deepest container under the point decides; its drawn controls are hit-tested.
  QWidget* w = client_->childAt(client_->mapFromGlobal(global).toPoint());
  ControlSurface* surface = client_;
  for (QWidget* p = w; p != nullptr && p != client_; p = p->parentWidget()) {
    if (auto* s = dynamic_cast<ControlSurface*>(p)) {
      surface = s;
      break;
    }
  }
  if (w != nullptr && surface == client_ && w != client_) {
    // A widget control under the point.
    for (Control* c : client_->Controls()) {
      if (auto* wc = dynamic_cast<WidgetControl*>(c); wc && wc->Widget() == w) return c;
    }
  }
  const QRect inside(QPoint(0, 0), surface->size());
  const QPointF local = surface->mapFromGlobal(global);
  if (!inside.contains(local.toPoint())) return nullptr;
  return surface->HitTest(local);
}

void Form::DropAt(Control& source, QPointF global) {
  Control* target = ControlAt(global);
  if (target == nullptr || !target->DragDrop) return;
  const QRectF r = target->Container().RectOf(*target);
  const QPointF local = target->Container().mapFromGlobal(global);
  const float x =
      static_cast<float>(PixelsToTwips((local.x() - r.left()) / target->Container().ScaleX()));
  const float y =
      static_cast<float>(PixelsToTwips((local.y() - r.top()) / target->Container().ScaleY()));
  auto drop = target->DragDrop;
  drop(source, x, y);
}

Control* Form::FindControl(const std::string& name, int index) const {
  for (const auto& c : controls_) {
    if (c->Name() == name && c->Index() == index) return c.get();
  }
  return nullptr;
}

MenuItem* Form::FindMenu(const std::string& name) const {
  for (const auto& m : menus_) {
    if (m->Name() == name) return m.get();
  }
  return nullptr;
}

MenuItem& Form::AddMenu(std::string name, const std::string& caption, bool enabled) {
  QMenu* menu = menu_bar_->addMenu(QString::fromStdString(caption));
  menu_bar_->show();
  menus_.push_back(std::make_unique<MenuItem>(std::move(name), menu->menuAction(), menu));
  menus_.back()->SetEnabled(enabled);
  return *menus_.back();
}

MenuItem& Form::AddMenuItem(MenuItem& parent, std::string name, const std::string& caption,
                            bool enabled) {
  QAction* action = parent.Menu()->addAction(QString::fromStdString(caption));
  menus_.push_back(std::make_unique<MenuItem>(std::move(name), action, nullptr));
  MenuItem* item = menus_.back().get();
  item->SetEnabled(enabled);
  QObject::connect(action, &QAction::triggered, action, [item] {
    if (item->Click) {
      auto click = item->Click;
      RunHandler([&] { click(); });
    }
  });
  return *item;
}

}  // namespace tk

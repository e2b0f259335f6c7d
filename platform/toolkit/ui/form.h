// A window of the runtime: described by its attributes and a table of controls, then
// loaded (created, its load handler run), shown modeless or modal, and unloaded (its
// unload handler, which may cancel, then destruction). Geometry is in twips.
#pragma once

#include <QPointF>
#include <QPointer>
#include <Qt>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/hwnd.h"
#include "runtime/picture.h"
#include "toolkit/ui/colors.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/surface.h"

class QAction;
class QEventLoop;
class QMenu;
class QMenuBar;
class QWidget;

namespace tk {

enum class BorderStyle { kNone = 0, kFixedSingle = 1, kSizable = 2, kFixedDialog = 3 };
enum class StartUpPosition { kManual = 0, kCenterOwner = 1, kCenterScreen = 2 };

struct FormAttributes {
  std::string caption;
  BorderStyle border = BorderStyle::kSizable;
  bool control_box = true;
  bool min_button = true;
  bool max_button = true;
  bool show_in_taskbar = true;
  StartUpPosition start_position = StartUpPosition::kManual;
  double client_width = 4800;  // twips
  double client_height = 3600;
  std::optional<OleColor> back_color = kSysButtonFace;
  PictureRef icon;
  // Resize the contents with the window (what an outside resizing control does).
  bool resize_contents = false;
};

class MenuItem {
 public:
  MenuItem(std::string name, QAction* action, QMenu* menu);
  const std::string& Name() const { return name_; }
  std::string Caption() const;
  bool Enabled() const;
  void SetEnabled(bool on);
  QAction* Action() const { return action_; }
  QMenu* Menu() const { return menu_; }
  std::function<void()> Click;

 private:
  std::string name_;
  QAction* action_;
  QMenu* menu_;  // the drop-down of a top-level item, else null
};

class Form {
 public:
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }

  // Creates the window and its controls, then runs Form_Load. Does nothing when loaded.
  void Load();
  // Loads when needed, then shows. Modal (1) runs a nested loop until the window is
  // unloaded, and the program's other windows take no input meanwhile.
  void Show(int modal = 0);
  // Runs Form_Unload; unless it cancels, hides and destroys the window. Does nothing
  // when not loaded.
  void Unload();
  bool IsLoaded() const { return loaded_; }

  Hwnd hWnd() const;
  QWidget* Window() const;
  ControlSurface& Client() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The outer edges, title bar and border included, in twips.
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void SetLeft(double twips);
  void SetTop(double twips);
  // The client area in twips.
  double ScaleWidth() const;
  double ScaleHeight() const;
  void Refresh();

  // The control under a point of the screen, front-most first, or null.
  Control* ControlAt(QPointF global) const;
  // Ends an automatic drag of `source` at a point of the screen: raises the drop event of
  // the control there, when it has a handler.
  void DropAt(Control& source, QPointF global);

  // Every control of the window, in the order of its description.
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Control* FindControl(const std::string& name, int index = -1) const;
  MenuItem* FindMenu(const std::string& name) const;

 protected:
  // The window's attributes and its controls; runs at every load, before Form_Load.
  virtual void Describe() = 0;
  virtual void Form_Load() {}
  virtual void Form_Unload(std::int16_t& /*cancel*/) {}
  virtual void Form_Resize() {}

  FormAttributes& Attributes() { return attrs_; }

  template <class T>
  T& Add(ControlSurface& container, std::string name, int index, double left, double top,
         double width, double height) {
    auto control = std::make_unique<T>(*this, container, std::move(name), index);
    T& ref = *control;
    ref.Move(left, top, width, height);
    container.AddControl(&ref);
    controls_.push_back(std::move(control));
    return ref;
  }
  MenuItem& AddMenu(std::string name, const std::string& caption, bool enabled = true);
  MenuItem& AddMenuItem(MenuItem& parent, std::string name, const std::string& caption,
                        bool enabled = true);

 private:
  friend class FormWindow;
  void Create();
  void Destroy();
  void ApplyAttributes();
  Qt::WindowFlags WindowFlagsAndOwner(QWidget*& owner) const;
  void PlaceAtStart();
  void ClientResized();
  void CloseRequested(bool& accept);

  std::string name_;
  FormAttributes attrs_;
  QPointer<QWidget> window_;
  ControlSurface* client_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<MenuItem>> menus_;
  bool loaded_ = false;
  bool loading_ = false;
  bool unloading_ = false;
  bool shown_once_ = false;
  QEventLoop* modal_loop_ = nullptr;
};

// The loaded window that has the focus, or else the last one shown.
Form* ActiveForm();

}  // namespace tk

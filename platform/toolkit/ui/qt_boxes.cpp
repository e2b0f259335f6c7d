#include "toolkit/ui/qt_boxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "runtime/prompts.h"
#include "toolkit/ui/display_text.h"
#include "toolkit/ui/form.h"
#include "toolkit/ui/frame_extents.h"
#include "toolkit/ui/taskbar_marks.h"

namespace tk {
namespace {

// How wide a box must be for the window manager to show its whole title: the title in a
// bold title font, and beside it the window's icon and three buttons (some managers draw
// minimise and maximise on every box, whatever it asks for), each about as wide as the
// title bar is tall. Managers that centre the title on the bar give it only what the
// buttons leave on the wider side, mirrored, so that room counts on both sides. The
// owner's frame, once the manager has drawn one, tells this desktop's bar and borders.
int WidthForTitle(const QString& title, const QWidget* owner) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics fm(font);
  int bar = fm.height() + 8;
  int borders = 8;
  if (owner != nullptr && owner->window()->isVisible()) {
    const QMargins frame = FrameMargins(*owner->window());
    if (frame.top() > 0) {
      bar = frame.top();
      borders = frame.left() + frame.right();
    }
  }
  return fm.horizontalAdvance(title) + 2 * 3 * bar + borders;
}

// A message box sizes itself to its text when it is shown and whenever its layout
// changes; this one then widens to its title as well, its text and buttons laid out in
// the wider box as before, and its centre kept where it was first put.
class MessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* e) override {
    QMessageBox::showEvent(e);
    const int grown = WidenToTitle();
    move(x() - grown / 2, y());
  }

  bool event(QEvent* e) override {
    const bool handled = QMessageBox::event(e);
    if (e->type() == QEvent::LayoutRequest && isVisible()) WidenToTitle();
    return handled;
  }

 private:
  // How much wider the box became.
  int WidenToTitle() {
    const int wanted = WidthForTitle(windowTitle(), parentWidget());
    if (width() >= wanted) return 0;
    const int grown = wanted - width();
    const int h = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(wanted) : height();
    setFixedSize(wanted, h);
    // Widening asks for no new layout; the box has just been laid out.
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    return grown;
  }
};

// An input box sizes itself to its prompt and line when it is shown; this one then widens
// to its title as well, the line taking the extra width, its centre kept.
class InputBox : public QInputDialog {
 public:
  using QInputDialog::QInputDialog;

 protected:
  void showEvent(QShowEvent* e) override {
    QInputDialog::showEvent(e);
    const int grown = WidthForTitle(windowTitle(), parentWidget()) - width();
    auto* line = findChild<QLineEdit*>();
    if (grown <= 0 || line == nullptr || layout() == nullptr) return;
    line->setMinimumWidth(line->width() + grown);
    layout()->activate();
    move(x() - grown / 2, y());
  }
};

// The window a box belongs to: the one with the focus, or else the game's last shown. A
// box with an owner is transient for it and stays out of the taskbar; one raised before
// any window shows is listed, so the player can still find it.
QWidget* OwnerOfBox() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  Form* form = ActiveForm();
  return form != nullptr ? form->Window() : nullptr;
}

void MarkAsOwned(QWidget& box) {
  SetShownInTaskbar(box, box.parentWidget() == nullptr);
}

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case kCritical:
      return QMessageBox::Critical;
    case kQuestion:
      return QMessageBox::Question;
    case kExclamation:
      return QMessageBox::Warning;
    case kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int ShowMessageBox(const MessageBoxRequest& req) {
  MessageBox box(IconOf(req.style), QString::fromStdString(req.title), DisplayText(req.text),
                 QMessageBox::NoButton, OwnerOfBox());
  MarkAsOwned(box);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  if ((req.style & 0x0F) == kYesNo) {
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
  }
  box.setDefaultButton(box.addButton(QMessageBox::Ok));
  box.exec();
  return kAnswerOk;
}

std::optional<std::string> ShowInputBox(const InputBoxRequest& req) {
  InputBox dialog(OwnerOfBox());
  MarkAsOwned(dialog);
  dialog.setWindowTitle(QString::fromStdString(req.title));
  dialog.setLabelText(DisplayText(req.prompt));
  // The text is taken whole, however long: the line's own limit would cut a long default
  // before the user has touched it.
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto* line = dialog.findChild<QLineEdit*>())
    line->setMaxLength(std::numeric_limits<int>::max());
  dialog.setTextValue(QString::fromStdString(req.default_text));
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

}  // namespace

void InstallQtBoxes() {
  InstallPrompter({ShowMessageBox, ShowInputBox});
}

}  // namespace tk

#include "qt_boxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "display_text.h"
#include "prompts.h"

namespace tk {
namespace {

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
  QMessageBox box(IconOf(req.style), QString::fromStdString(req.title), DisplayText(req.text),
                  QMessageBox::NoButton, QApplication::activeWindow());
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
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QString::fromStdString(req.title));
  dialog.setLabelText(DisplayText(req.prompt));
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

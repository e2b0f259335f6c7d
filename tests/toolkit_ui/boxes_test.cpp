// The real Qt boxes: their icons, buttons, default button, titles and answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "runtime/app_info.h"
#include "runtime/prompts.h"
#include "toolkit/ui/qt_boxes.h"

namespace tk {
namespace {

// Runs `inspect` on the first modal dialog that opens.
void WhenDialogOpens(std::function<void(QWidget*)> inspect) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      inspect(w);
    }
  });
  timer->start(10);
}

struct BoxCase {
  int style;
  QMessageBox::Icon icon;
  bool yes_no;
};

TEST(QtBoxes, MessageBoxShowsIconButtonsTitleAndReturnsTheAnswer) {
  InstallQtBoxes();
  SetAppTitle("Game Korvane#2");
  const BoxCase cases[] = {{16, QMessageBox::Critical, false},
                           {36, QMessageBox::Question, true},
                           {48, QMessageBox::Warning, false},
                           {64, QMessageBox::Information, false}};
  for (const BoxCase& c : cases) {
    QString title, text;
    QMessageBox::Icon icon{};
    bool yes_is_default = false;
    int buttons = 0;
    WhenDialogOpens([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      yes_is_default = box->defaultButton() == box->button(QMessageBox::Yes);
      box->button(c.yes_no ? QMessageBox::No : QMessageBox::Ok)->click();
    });
    const int answer = MsgBox("Name\rInvalid Move", c.style);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(title, "Game Korvane#2");
    EXPECT_EQ(text, "Name\nInvalid Move");
    EXPECT_EQ(buttons, c.yes_no ? 2 : 1);
    EXPECT_EQ(answer, c.yes_no ? kAnswerNo : kAnswerOk);
    if (c.yes_no) {
      EXPECT_TRUE(yes_is_default);
    }
  }
  WhenDialogOpens(
      [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click(); });
  EXPECT_EQ(MsgBox("Quit Current Game ?", 36, "New Game"), kAnswerYes);
  InstallPrompter({});
}

TEST(QtBoxes, InputBoxReturnsTheTextOrEmptyOnCancel) {
  InstallQtBoxes();
  QString label, title, preset;
  WhenDialogOpens([&](QWidget* w) {
    auto* d = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(d, nullptr);
    label = d->labelText();
    title = d->windowTitle();
    preset = d->textValue();
    d->setTextValue("  Ann  ");
    d->accept();
  });
  EXPECT_EQ(InputBox("Enter Player 1's Name Here : ", "Player 1's Name", "Player 1"), "  Ann  ");
  EXPECT_EQ(label, "Enter Player 1's Name Here : ");
  EXPECT_EQ(title, "Player 1's Name");
  EXPECT_EQ(preset, "Player 1");
  WhenDialogOpens([](QWidget* w) { qobject_cast<QInputDialog*>(w)->reject(); });
  EXPECT_EQ(InputBox("Prompt", "Title", "kept"), "");
  InstallPrompter({});
}

}  // namespace
}  // namespace tk

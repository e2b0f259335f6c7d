// The yardstick for the game's start-up: the least a Qt Widgets program does to show a
// window of the game's size (a 417 x 447 client area under a menu bar with two menus).
// Prints "shown" once the window has first been painted, and ends.
#include <QApplication>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

#include "exit_when_shown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Empty");
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QMenuBar(&window);
  bar->setNativeMenuBar(false);
  bar->addMenu("&Game");
  bar->addMenu("&Help");
  layout->setMenuBar(bar);
  auto* client = new QWidget(&window);
  client->setFixedSize(417, 447);
  layout->addWidget(client);
  korvane::ExitWhenFirstPainted(window);
  window.show();
  return QApplication::exec();
}

#include "game_main_window.h"

#include <QAction>

#include "modMain.h"

namespace korvane::testing {

frmMain& MainWindow(const std::function<void(frmMain&)>& after_load) {
  modMain::DebugMode = tk::kFalse16;
  frmMain& main = frmMain::Instance();
  if (!main.IsLoaded()) {
    main.Load();
    if (after_load) after_load(main);
    main.Show();
  }
  return main;
}

void ChooseNewGame() {
  MainWindow().FindMenu("mnuFileNewGame")->Action()->trigger();
}

}  // namespace korvane::testing

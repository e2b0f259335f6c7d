// How long a player waits, from letting go of a dragged button to the redrawn board,
// for a placement and for a move; and what of that is the drop handler, the game's rules
// and one repaint of the board by the toolkit. Also one step of the drag before it: the
// pointer moves and the outline shows at its new place. Each repetition times one drop, so the
// median of the repetitions is the median drop.
//
//   bench_turns --benchmark_filter=...   (runs on Qt's offscreen platform unless
//                                         QT_QPA_PLATFORM says otherwise)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "box_recorder.h"
#include "frmMain.h"
#include "game_main_window.h"
#include "modMain.h"
#include "toolkit/ui/surface.h"
#include "ui_driver.h"

namespace {

using korvane::testing::MainWindow;

void Settle() {
  QCoreApplication::processEvents();
}

void NewGame() {
  tk::testing::BoxRecorder answers;  // "Quit Current Game ?" is answered Yes
  MainWindow().mnuFileNewGame_Click();
  Settle();
}

void Drop(int location, tk::Control& source) {
  MainWindow().ButtonLocation_DragDrop(tk::Int16(static_cast<std::int16_t>(location)), source, 0,
                                       0);
}

// Player 1 on 1, 6, 8 and player 2 on 3, 4, 9, all placed: 1 and 2 are neighbours, and
// a button going to and fro between them makes no line.
void SetUpMovePosition() {
  NewGame();
  frmMain& m = MainWindow();
  const int placements[6][2] = {{1, 1}, {2, 3}, {1, 6}, {2, 4}, {1, 8}, {2, 9}};
  for (const auto& [player, location] : placements)
    Drop(location, player == 1 ? m.Player1sButtonAvailable(1) : m.Player2sButtonAvailable(1));
  Settle();
}

// Presses on `source` and moves onto `target`, the way a drag starts; returns the
// release point in the source container's pixels.
QPoint StartDrag(tk::Control& source, tk::Control& target) {
  tk::ControlSurface& surface = source.Container();
  const QPoint start = tk::testing::CentreOf(source);
  const QPoint end =
      surface.mapFromGlobal(target.Container().mapToGlobal(tk::testing::CentreOf(target)));
  QTest::mousePress(&surface, Qt::LeftButton, Qt::NoModifier, start);
  QMouseEvent move(QEvent::MouseMove, end, surface.mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&surface, &move);
  Settle();
  return end;
}

void ReleaseAndRepaint(tk::Control& source, QPoint at) {
  QTest::mouseRelease(&source.Container(), Qt::LeftButton, Qt::NoModifier, at);
  Settle();  // the repaint that the release asked for
}

void Once(benchmark::internal::Benchmark* b) {
  b->Iterations(1)->Repetitions(41)->ReportAggregatesOnly(true)->UseRealTime()->Unit(
      benchmark::kMillisecond);
}

void BM_PlacementDrop_ReleaseToRepaintedBoard(benchmark::State& state) {
  NewGame();
  tk::Image& tray = MainWindow().Player1sButtonAvailable(1);
  const QPoint at = StartDrag(tray, MainWindow().ButtonLocation(5));
  for (auto _ : state) ReleaseAndRepaint(tray, at);
  if (modMain::GetLocationOwner(5) != 1) state.SkipWithError("the placement was not made");
}
BENCHMARK(BM_PlacementDrop_ReleaseToRepaintedBoard)->Apply(Once);

void BM_PlacementDrop_HandlerAlone(benchmark::State& state) {
  NewGame();
  for (auto _ : state) Drop(5, MainWindow().Player1sButtonAvailable(1));
  Settle();
  if (modMain::GetLocationOwner(5) != 1) state.SkipWithError("the placement was not made");
}
BENCHMARK(BM_PlacementDrop_HandlerAlone)->Apply(Once);

void BM_MoveDrop_ReleaseToRepaintedBoard(benchmark::State& state) {
  static bool set_up = false;
  if (!set_up) SetUpMovePosition();
  set_up = true;
  // To and fro between 1 and 2, always player 1's turn.
  const int from = modMain::GetLocationOwner(1) == 1 ? 1 : 2, to = 3 - from;
  modMain::Player1Turn = tk::kTrue16;
  tk::Image& source = MainWindow().ButtonLocation(from);
  const QPoint at = StartDrag(source, MainWindow().ButtonLocation(to));
  for (auto _ : state) ReleaseAndRepaint(source, at);
  if (modMain::GetLocationOwner(to) != 1) state.SkipWithError("the move was not made");
}
BENCHMARK(BM_MoveDrop_ReleaseToRepaintedBoard)->Apply(Once);

void BM_MoveDrop_HandlerAlone(benchmark::State& state) {
  static bool set_up = false;
  if (!set_up) SetUpMovePosition();
  set_up = true;
  const int from = modMain::GetLocationOwner(1) == 1 ? 1 : 2, to = 3 - from;
  modMain::Player1Turn = tk::kTrue16;
  for (auto _ : state) Drop(to, MainWindow().ButtonLocation(from));
  Settle();
  if (modMain::GetLocationOwner(to) != 1) state.SkipWithError("the move was not made");
}
BENCHMARK(BM_MoveDrop_HandlerAlone)->Apply(Once);

// The game's own share of a move: the rules check and apply it and look for a winner.
void BM_MoveDrop_RulesAlone(benchmark::State& state) {
  SetUpMovePosition();
  int from = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(modMain::MoveButtonRule(modMain::kMove, from, 3 - from, 1));
    benchmark::DoNotOptimize(modMain::CheckForWinner());
    from = 3 - from;
  }
}
BENCHMARK(BM_MoveDrop_RulesAlone);

// One step of a drag: the pointer moves over the board, and the window is repainted with
// the outline at its new place (and the board where it was), as a frame the player sees.
void BM_DragStep_PointerMoveToRepaintedOutline(benchmark::State& state) {
  NewGame();
  tk::Image& tray = MainWindow().Player1sButtonAvailable(1);
  tk::ControlSurface& surface = tray.Container();
  QTest::mousePress(&surface, Qt::LeftButton, Qt::NoModifier, tk::testing::CentreOf(tray));
  // Over the texture, a line, a circle and a location, and back.
  const QPoint stops[] = {{150, 94}, {120, 192}, {48, 192}, {208, 192}};
  std::size_t next = 0;
  for (auto _ : state) {
    const QPoint at = stops[next++ % std::size(stops)];
    QMouseEvent move(QEvent::MouseMove, at, surface.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&surface, &move);
    Settle();
  }
  // Let go over the background, where nothing takes a drop.
  QTest::mouseRelease(&surface, Qt::LeftButton, Qt::NoModifier, QPoint(150, 94));
  Settle();
  if (surface.Dragging()) state.SkipWithError("the drag did not end");
}
BENCHMARK(BM_DragStep_PointerMoveToRepaintedOutline)->UseRealTime()->Unit(benchmark::kMillisecond);

// One synchronous repaint of the whole board, which the toolkit does for a location's
// Refresh.
void BM_BoardRepaint(benchmark::State& state) {
  MainWindow();
  tk::ControlSurface& board = MainWindow().ButtonLocation(1).Container();
  for (auto _ : state) board.repaint();
}
BENCHMARK(BM_BoardRepaint)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

// Runs a benchmark program inside a QApplication, on Qt's offscreen platform unless
// QT_QPA_PLATFORM names another, and with a store of its own unless TOOLKIT_STORE names
// one: what it reads or writes there never reaches the user's.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir store;
  if (qEnvironmentVariableIsEmpty("TOOLKIT_STORE"))
    qputenv("TOOLKIT_STORE", (store.path() + "/user.store").toUtf8());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "platform/Allocator.h"

// Fonts, images and the editor's windows need an application; the offscreen platform needs
// no display. Memory is kept for reuse as the editor keeps it.
int main(int argc, char** argv) {
  KeepFreedMemoryForReuse();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

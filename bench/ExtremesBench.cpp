// Benchmarks of the extremes the editor must stay quick at: the input box on a text of
// millions of characters, and the Down key at the end of a long sequence and deep nesting.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "model/Struktteile.h"
#include "model/TreeQueries.h"
#include "platform/qt/QtDialogs.h"

namespace {

// Opens the input box on a text of state.range(0) characters and confirms it as soon as it
// shows: the time to open, to hand the text back, and to close.
void InputBoxOpen(benchmark::State& state) {
  const std::string offered(static_cast<std::size_t>(state.range(0)), 'x');
  QtDialogs dialogs;
  for (auto _ : state) {
    std::string text = offered;
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->accept();
    });
    if (!dialogs.InputQuery("Anweisung", "Gib eine neue Anweisung ein:", text) || text != offered)
      state.SkipWithError("the box did not hand the text back");
  }
}
BENCHMARK(InputBoxOpen)
    ->Name("InputBox/open")
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A root holding state.range(0) statements and then state.range(1) blocks nested in each
// other around one statement; Down from that innermost statement leads back to the root.
void DownOutOfDeepNesting(benchmark::State& state) {
  BlockPtr root(new TBlock("gesamtes Programm"));
  TElement** link = &root->Body;
  for (int64_t i = 0; i < state.range(0); ++i) {
    auto* statement = new TAnweisung("s");
    *link = statement;
    link = &statement->Next;
  }
  for (int64_t i = 0; i < state.range(1); ++i) {
    auto* block = new TBlock("b");
    *link = block;
    link = &block->Body;
  }
  auto* deepest = new TAnweisung("tief");
  *link = deepest;
  for (auto _ : state) benchmark::DoNotOptimize(NextInReadingOrder(*root, deepest));
}
BENCHMARK(DownOutOfDeepNesting)
    ->Name("Key/down/deep")
    ->Args({1000000, 1000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

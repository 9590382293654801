// Benchmarks of what works on a whole design without drawing it.
#include <map>

#include "bench/BenchDesigns.h"
#include "model/DesignSnapshot.h"
#include "model/Records.h"
#include "platform/MemoryStream.h"
#include "text/Interpret.h"

TBlock& SharedDesign(DesignShape shape, int64_t n) {
  static std::map<std::pair<DesignShape, int64_t>, BlockPtr> designs;
  BlockPtr& design = designs[{shape, n}];
  if (!design) design = GenerateDesign(shape, n);
  return *design;
}

void RegisterPerShape(const std::string& name,
                      const std::function<void(benchmark::State&, DesignShape, int64_t)>& body,
                      benchmark::TimeUnit unit) {
  for (DesignShape shape : AllShapes)
    for (int64_t n : AllSizes)
      benchmark::RegisterBenchmark((name + "/" + ShapeName(shape) + "/" + std::to_string(n)).c_str(),
                                   [=](benchmark::State& state) { body(state, shape, n); })
          ->Unit(unit)
          ->UseRealTime();
}

namespace {

std::string SavedBytes(TBlock& root) {
  MemoryStream stream;
  SaveRootBlock(root, stream);
  return stream.Bytes();
}

std::string ExportedText(TBlock& root) {
  std::string text;
  root.ExportText(text, "");
  return text;
}

void Snapshot(benchmark::State& state, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  for (auto _ : state) {
    ElementPtr copy(root.CreateCopy());
    benchmark::DoNotOptimize(copy.get());
  }
}

// What an undo state costs when the history recycles its snapshots: taken and given back.
void UndoSnapshot(benchmark::State& state, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  SnapshotPool pool;
  pool.Recycle(pool.Acquire());
  for (auto _ : state) {
    std::unique_ptr<DesignSnapshot> snapshot = pool.Acquire();
    snapshot->Take(root);
    benchmark::DoNotOptimize(snapshot.get());
    pool.Recycle(std::move(snapshot));
  }
}

// An undo: the design restored from a state, and its disposal when it is replaced.
void UndoRestore(benchmark::State& state, DesignShape shape, int64_t n) {
  DesignSnapshot snapshot;
  snapshot.Take(SharedDesign(shape, n));
  for (auto _ : state) {
    BlockPtr restored = snapshot.Restore();
    benchmark::DoNotOptimize(restored.get());
  }
}

void Save(benchmark::State& state, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  for (auto _ : state) benchmark::DoNotOptimize(SavedBytes(root));
}

void Load(benchmark::State& state, DesignShape shape, int64_t n) {
  const std::string bytes = SavedBytes(SharedDesign(shape, n));
  for (auto _ : state) {
    MemoryStream stream(bytes);
    BlockPtr root = LoadRootBlock(stream);
    benchmark::DoNotOptimize(root.get());
  }
}

void Export(benchmark::State& state, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  for (auto _ : state) benchmark::DoNotOptimize(ExportedText(root));
}

void Parse(benchmark::State& state, DesignShape shape, int64_t n) {
  const std::string text = ExportedText(SharedDesign(shape, n));
  for (auto _ : state) {
    BlockPtr root = ParseProgram(text);
    benchmark::DoNotOptimize(root.get());
  }
}

const bool registered = [] {
  RegisterPerShape("Snapshot", Snapshot);
  RegisterPerShape("UndoSnapshot", UndoSnapshot);
  RegisterPerShape("UndoRestore", UndoRestore);
  RegisterPerShape("Save", Save);
  RegisterPerShape("Load", Load);
  RegisterPerShape("Export", Export);
  RegisterPerShape("Parse", Parse);
  return true;
}();

}  // namespace

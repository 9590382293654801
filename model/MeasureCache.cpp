#include "model/MeasureCache.h"

#include <utility>
#include <vector>

#include "model/DesignChange.h"
#include "model/DisplayOptions.h"

namespace {
uint64_t designVersion = 1;
uint64_t lastStamp = 0;
}  // namespace

uint64_t DesignVersion() { return designVersion; }
void NotifyDesignChanged() { ++designVersion; }

bool MeasureCache::Verify = false;

void MeasureCache::Enter(const TDisplayOptions& options, const Canvas& canvas) {
  if (depth_++ > 0) return;
  DesignChange::SettlePending();
  const Key key{designVersion,           options.CollapsedVersion(), options.Spacing,
                options.Flowchart,       options.Printing,           canvas.Font.Name,
                canvas.Font.PixelHeight, canvas.Font.PointSize,      canvas.DeviceKey()};
  stamp_ = SharedStamp(key);
}

std::vector<std::pair<MeasureCache::Key, uint64_t>>& MeasureCache::KnownStamps() {
  static std::vector<std::pair<Key, uint64_t>> stamps;
  return stamps;
}

uint64_t MeasureCache::SharedStamp(const Key& key) {
  // Only keys of the current design version can come again; a few dozen cover every window's
  // views, and forgetting more only costs one measuring.
  auto& stamps = KnownStamps();
  constexpr std::size_t MaxKeys = 64;
  if (!stamps.empty() && (stamps.front().first.design != key.design || stamps.size() >= MaxKeys))
    stamps.clear();
  for (const auto& [known, stamp] : stamps)
    if (known == key) return stamp;
  stamps.emplace_back(key, ++lastStamp);
  return lastStamp;
}

bool MeasureCache::HoldsForCopies(uint64_t stamp) {
  for (const auto& [key, known] : KnownStamps())
    if (known == stamp) return key.design == designVersion && key.collapsed == 0;
  return false;
}

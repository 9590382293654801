#include "model/MeasureCache.h"

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
  Key key{designVersion,        options.CollapsedVersion(), options.Spacing,
          options.Flowchart,    options.Printing,           canvas.Font.Name,
          canvas.Font.PixelHeight, canvas.Font.PointSize,   canvas.DeviceKey()};
  if (stamp_ != 0 && key == key_) return;
  key_ = std::move(key);
  stamp_ = ++lastStamp;
}

#include "platform/qt/PixelLine.h"

#include <cstdlib>
#include <limits>

namespace {

// Distances reach 2^32 and their products 2^66, beyond 64 bits.
using Wide = __int128;

PixelLine::Range Intersect(PixelLine::Range a, PixelLine::Range b) {
  PixelLine::Range both{std::max(a.first, b.first), std::min(a.last, b.last)};
  if (both.last < both.first) both.last = both.first;
  return both;
}

}  // namespace

PixelLine::PixelLine(TPoint from, TPoint to) : from_(from) {
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  xMajor_ = std::llabs(dx) >= std::llabs(dy);
  const int64_t major = xMajor_ ? dx : dy, minor = xMajor_ ? dy : dx;
  steps_ = std::llabs(major);
  minor_ = std::llabs(minor);
  majorSign_ = major < 0 ? -1 : 1;
  minorSign_ = minor < 0 ? -1 : 1;
}

std::optional<PixelLine> PixelLine::Finer(TPoint from, TPoint to, int32_t k) {
  k = std::max(k, 1);
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  // Backwards along the longer axis the line starts on the last fine pixel of its first
  // drawing pixel and stops after the first of its end, as it does forwards the other way.
  const int64_t backX = xMajor && dx < 0 ? k - 1 : 0, backY = !xMajor && dy < 0 ? k - 1 : 0;
  const int64_t fine[] = {from.x * int64_t{k} + backX, from.y * int64_t{k} + backY,
                          to.x * int64_t{k} + backX, to.y * int64_t{k} + backY};
  for (int64_t v : fine) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max() - k) {
      return std::nullopt;
    }
  }
  PixelLine line({static_cast<int32_t>(fine[0]), static_cast<int32_t>(fine[1])},
                 {static_cast<int32_t>(fine[2]), static_cast<int32_t>(fine[3])});
  line.fineness_ = k;
  return line;
}

int64_t PixelLine::Minor(int64_t k) const {
  return static_cast<int64_t>((Wide{2} * k * minor_ + steps_) / (Wide{2} * steps_));
}

int64_t PixelLine::FirstStepBeyond(int64_t m) const {
  if (minor_ == 0) return steps_;
  const Wide numerator = Wide{steps_} * (2 * Wide{m} + 1), denominator = Wide{2} * minor_;
  return static_cast<int64_t>(std::min<Wide>((numerator + denominator - 1) / denominator, steps_));
}

TPoint PixelLine::At(int64_t k) const {
  const int64_t major = majorSign_ * k, minor = minorSign_ * Minor(k);
  const int64_t x = from_.x + (xMajor_ ? major : minor), y = from_.y + (xMajor_ ? minor : major);
  return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

// The steps whose coordinate along the longer axis lies in [low, high).
PixelLine::Range PixelLine::MajorWithin(int64_t low, int64_t high) const {
  const int64_t start = xMajor_ ? from_.x : from_.y;
  if (majorSign_ > 0) return {low - start, high - start};
  return {start - high + 1, start - low + 1};
}

// The steps whose coordinate along the shorter axis lies in [low, high).
PixelLine::Range PixelLine::MinorWithin(int64_t low, int64_t high) const {
  const int64_t start = xMajor_ ? from_.y : from_.x;
  const int64_t lowest = minorSign_ > 0 ? low - start : start - high + 1;
  const int64_t highest = minorSign_ > 0 ? high - 1 - start : start - low;
  if (highest < 0 || lowest > minor_ || highest < lowest) return {};
  return {lowest <= 0 ? 0 : FirstStepBeyond(lowest - 1), FirstStepBeyond(highest)};
}

PixelLine::Range PixelLine::Within(const TRect& clip) const {
  // A fine line's pixels also reach fineness - 1 higher than its steps across its longer axis.
  const int64_t k = fineness_, l = clip.Left * k, t = clip.Top * k, r = clip.Right * k,
                b = clip.Bottom * k;
  const Range x = xMajor_ ? MajorWithin(l, r) : MinorWithin(l - k + 1, r);
  const Range y = xMajor_ ? MinorWithin(t - k + 1, b) : MajorWithin(t, b);
  return Intersect(Intersect(x, y), {0, steps_});
}

TRect PixelLine::Covering(int64_t firstStep, int64_t lastStep) const {
  const TPoint a = At(firstStep), b = At(lastStep);
  const int32_t across = fineness_ - 1;
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1 + (xMajor_ ? 0 : across),
          std::max(a.y, b.y) + 1 + (xMajor_ ? across : 0)};
}

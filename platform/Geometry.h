#pragma once

#include <algorithm>
#include <cstdint>

// Plain canvas geometry in device pixels: x to the right, y downward.
struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t w = 0;
  int32_t h = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom edges are exclusive.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// A picture's sizes stay below MaxExtent and the positions in it within MaxPosition either way
// of the origin, however long its texts: then the sum of two sizes, or a position plus a size,
// never leaves the 32-bit range. What lies beyond is far outside any canvas.
constexpr int32_t MaxExtent = 1 << 28;
constexpr int32_t MaxPosition = 1 << 29;

inline int32_t BoundedExtent(int64_t extent) {
  return static_cast<int32_t>(std::min<int64_t>(extent, MaxExtent));
}
inline TSize BoundedSize(TSize size) { return {BoundedExtent(size.w), BoundedExtent(size.h)}; }
inline int32_t BoundedPosition(int64_t position) {
  return static_cast<int32_t>(std::clamp<int64_t>(position, -MaxPosition, MaxPosition));
}

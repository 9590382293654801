#pragma once

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

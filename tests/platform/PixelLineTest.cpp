// The pixels of thin lines: their shape, and that a clip changes only which of them are visited.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "platform/qt/PixelLine.h"

namespace {

using Pixel = std::pair<int32_t, int32_t>;

std::vector<Pixel> AllPixels(const PixelLine& line) {
  std::vector<Pixel> pixels;
  for (int64_t k = 0; k < line.Steps(); ++k) pixels.emplace_back(line.At(k).x, line.At(k).y);
  return pixels;
}

std::set<Pixel> RunPixels(const PixelLine& line, const TRect& clip) {
  std::set<Pixel> pixels;
  line.ForEachRun(line.Within(clip), [&](const TRect& run) {
    EXPECT_TRUE(run.Right - run.Left == 1 || run.Bottom - run.Top == 1) << "one row or column";
    for (int32_t y = run.Top; y < run.Bottom; ++y)
      for (int32_t x = run.Left; x < run.Right; ++x) EXPECT_TRUE(pixels.insert({x, y}).second);
  });
  return pixels;
}

bool Inside(const Pixel& p, const TRect& clip) {
  return p.first >= clip.Left && p.first < clip.Right && p.second >= clip.Top &&
         p.second < clip.Bottom;
}

// Lines in every direction and slope, and clips that cut them anywhere or miss them.
TEST(PixelLine, AClipKeepsExactlyThePixelsInsideIt) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int32_t> coordinate(-40, 40);
  for (int i = 0; i < 3000; ++i) {
    const TPoint from{coordinate(random), coordinate(random)};
    const TPoint to{coordinate(random), coordinate(random)};
    const int32_t l = coordinate(random), t = coordinate(random);
    const TRect clip{l, t, l + coordinate(random) + 40, t + coordinate(random) + 40};
    const PixelLine line(from, to);
    std::set<Pixel> expected;
    for (const Pixel& p : AllPixels(line))
      if (Inside(p, clip)) expected.insert(p);
    ASSERT_EQ(RunPixels(line, clip), expected)
        << from.x << "," << from.y << " -> " << to.x << "," << to.y << " in " << clip.Left << ","
        << clip.Top << "," << clip.Right << "," << clip.Bottom;
  }
}

// From its start the line takes one step at a time toward its end, which it leaves out, and
// never strays more than half a pixel from the ideal line.
TEST(PixelLine, StepsAlongTheIdealLineAndLeavesOutItsEnd) {
  std::mt19937 random(12);
  std::uniform_int_distribution<int32_t> coordinate(-300, 300);
  for (int i = 0; i < 500; ++i) {
    const TPoint from{coordinate(random), coordinate(random)},
        to{coordinate(random), coordinate(random)};
    const PixelLine line(from, to);
    const std::vector<Pixel> pixels = AllPixels(line);
    ASSERT_EQ(static_cast<int64_t>(pixels.size()),
              std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)));
    if (pixels.empty()) continue;
    EXPECT_EQ(pixels.front(), Pixel(from.x, from.y));
    Pixel previous = pixels.front();
    const double dx = to.x - from.x, dy = to.y - from.y, length = std::hypot(dx, dy);
    for (const Pixel& p : pixels) {
      EXPECT_LE(std::abs(p.first - previous.first), 1);
      EXPECT_LE(std::abs(p.second - previous.second), 1);
      const double across = std::abs((p.first - from.x) * dy - (p.second - from.y) * dx) / length;
      EXPECT_LE(across, 0.5 + 1e-9) << p.first << "," << p.second;
      previous = p;
    }
    EXPECT_LE(std::abs(to.x - previous.first), 1);
    EXPECT_LE(std::abs(to.y - previous.second), 1);
    EXPECT_NE(previous, Pixel(to.x, to.y));
  }
}

// A line across the whole coordinate range is visited only where it meets the clip, a run at a
// time: a shallow line in a few runs, a diagonal one pixel by pixel.
TEST(PixelLine, ALineAcrossTheCoordinateRangeIsVisitedOnlyInTheClip) {
  const TRect clip{-50, -50, 50, 50};
  const PixelLine shallow({INT32_MIN / 2, -20}, {INT32_MAX / 2, 20});
  int runs = 0;
  shallow.ForEachRun(shallow.Within(clip), [&](const TRect& run) {
    ++runs;
    EXPECT_EQ(run.Left, clip.Left);
    EXPECT_EQ(run.Right, clip.Right);
  });
  EXPECT_EQ(runs, 1);
  const PixelLine diagonal({INT32_MIN / 2, INT32_MIN / 2}, {INT32_MAX / 2, INT32_MAX / 2});
  const PixelLine::Range range = diagonal.Within(clip);
  EXPECT_EQ(range.last - range.first, 100);
  EXPECT_EQ(diagonal.At(range.first), (TPoint{-50, -50}));
  EXPECT_EQ(diagonal.Within({60, 0, 70, 5}).last - diagonal.Within({60, 0, 70, 5}).first, 0);
}

}  // namespace

#pragma once

#include <iterator>

// The zoom steps of a diagram window, in percent of the design's size.
namespace zoom {

inline constexpr int Steps[] = {25,  33,  50,  67,  75,  90,  100, 110,
                                125, 150, 175, 200, 250, 300, 400};
inline constexpr int Smallest = Steps[0];
inline constexpr int Largest = Steps[std::size(Steps) - 1];
inline constexpr int Normal = 100;

// The first step above percent, and the last step below it; both stay within the steps, so
// that any value, also one between steps or outside them, comes back onto a step.
int Larger(int percent);
int Smaller(int percent);

}  // namespace zoom

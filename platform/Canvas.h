#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Geometry.h"

// Colours as the platform stores them: 0x00BBGGRR, top byte 0x02 for a palette-relative
// colour, 0x80000005 for the window-background system colour. Arithmetic on a stored value
// (the nesting shade step) works on the raw number.
using TColor = uint32_t;

namespace Colors {
constexpr TColor Black = 0x000000;
constexpr TColor Red = 0x0000FF;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Grey = 0x808080;
constexpr TColor Window = 0x80000005;  // system colour for window backgrounds
constexpr TColor ScreenBackground = 0x02F5F5F5;
constexpr TColor PrintBackground = 0x02FFFFFF;
}  // namespace Colors

enum class PenStyle { Solid, Dot };
enum class BrushStyle { Solid, Clear };

struct TPen {
  TColor Color = Colors::Black;
  int32_t Width = 1;
  PenStyle Style = PenStyle::Solid;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = Colors::White;
  BrushStyle Style = BrushStyle::Solid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

// A font is given either by its character height in pixels (screen) or by its size in
// points (printer); the one that is non-zero wins, pixels first.
struct TFont {
  std::string Name = "MS Sans Serif";
  int32_t PixelHeight = 13;
  int32_t PointSize = 0;
  TColor Color = Colors::Black;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// The drawing contract every diagram is painted through. The pen, brush and font are plain
// state read by each primitive.
//  - Rectangle(l, t, r, b) outlines and fills columns l .. r-1 and rows t .. b-1.
//  - LineTo draws from the current position and leaves out its end point.
//  - TextOut draws at the text's top-left point, on the brush colour while the brush is solid.
//  - Texts are Windows-1252 byte strings.
class Canvas {
 public:
  TPen Pen;
  TBrush Brush;
  TFont Font;

  virtual ~Canvas() = default;

  virtual void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) = 0;
  virtual void LineTo(int32_t x, int32_t y) = 0;
  virtual void TextOut(int32_t x, int32_t y, const std::string& text) = 0;
  virtual TSize TextExtent(const std::string& text) = 0;

  // The area that painting can change, in canvas coordinates; drawing may skip what lies
  // wholly outside it. The default is unbounded.
  virtual TRect ClipRect() const { return {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2}; }

  // Identifies what, besides the font, decides text extents on this canvas (the device's
  // resolution); measurements are only reused on canvases with the same key and font.
  virtual uint64_t DeviceKey() const { return 0; }

  // Whether drawing should leave out fills that later shapes cover: on a pixel device every
  // fill costs its area, while in a vector picture more shapes only cost more.
  virtual bool SkipsCoveredFills() const { return true; }

  void MoveTo(int32_t x, int32_t y) { PenPos = {x, y}; }
  TPoint PenPos;
};

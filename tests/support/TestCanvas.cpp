#include "tests/support/TestCanvas.h"

void TestCanvas::Add(Kind kind, std::vector<TPoint> points, std::string text) {
  if (recording) ops.push_back({kind, std::move(points), std::move(text), Pen, Brush, Font.Color});
}

void TestCanvas::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  Add(Kind::Rectangle, {{l, t}, {r, b}});
}

void TestCanvas::Polygon(std::span<const TPoint> points) {
  Add(Kind::Polygon, {points.begin(), points.end()});
}

void TestCanvas::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
  Add(Kind::Ellipse, {{l, t}, {r, b}});
}

void TestCanvas::LineTo(int32_t x, int32_t y) {
  Add(Kind::Line, {PenPos, {x, y}});
  PenPos = {x, y};
}

void TestCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  Add(Kind::Text, {{x, y}}, text);
}

TSize TestCanvas::TextExtent(const std::string& text) { return {W(text), TextHeight}; }

std::vector<TestCanvas::Op> TestCanvas::OfKind(Kind kind) const {
  std::vector<Op> result;
  for (const Op& op : ops)
    if (op.kind == kind) result.push_back(op);
  return result;
}

const TestCanvas::Op* TestCanvas::FindText(const std::string& text) const {
  for (const Op& op : ops)
    if (op.kind == Kind::Text && op.text == text) return &op;
  return nullptr;
}

const TestCanvas::Op* TestCanvas::FindLine(TPoint from, TPoint to) const {
  for (const Op& op : ops)
    if (op.kind == Kind::Line && op.points[0] == from && op.points[1] == to) return &op;
  return nullptr;
}

const TestCanvas::Op* TestCanvas::FindRectangle(TRect r) const {
  for (const Op& op : ops)
    if (op.kind == Kind::Rectangle && op.points[0] == TPoint{r.Left, r.Top} &&
        op.points[1] == TPoint{r.Right, r.Bottom})
      return &op;
  return nullptr;
}

const TestCanvas::Op* TestCanvas::FindPolygon(const std::vector<TPoint>& points) const {
  for (const Op& op : ops)
    if (op.kind == Kind::Polygon && op.points == points) return &op;
  return nullptr;
}

bool TestCanvas::AnyRed() const {
  for (const Op& op : ops)
    if (op.pen.Color == Colors::Red || op.fontColor == Colors::Red ||
        (op.kind == Kind::Polygon && op.brush.Color == Colors::Red))
      return true;
  return false;
}

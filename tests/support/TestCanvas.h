#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

// A canvas with fixed text metrics (7 pixels per character, 13 high) that records every
// primitive with the pen, brush and font colour in force, for tests to query.
class TestCanvas : public Canvas {
 public:
  static constexpr int CharWidth = 7;
  static constexpr int TextHeight = 13;

  enum class Kind { Rectangle, Polygon, Ellipse, Line, Text };
  struct Op {
    Kind kind;
    std::vector<TPoint> points;  // rectangle/ellipse: (l, t), (r, b); line: from, to
    std::string text;
    TPen pen;
    TBrush brush;
    TColor fontColor;
  };

  std::vector<Op> ops;
  bool recording = true;

  static int W(const std::string& s) { return CharWidth * static_cast<int>(s.size()); }

  void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) override;
  void Polygon(std::span<const TPoint> points) override;
  void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override;
  void LineTo(int32_t x, int32_t y) override;
  void TextOut(int32_t x, int32_t y, const std::string& text) override;
  TSize TextExtent(const std::string& text) override;

  // Queries on the record.
  std::vector<Op> OfKind(Kind kind) const;
  const Op* FindText(const std::string& text) const;  // first text op with that text
  const Op* FindLine(TPoint from, TPoint to) const;
  const Op* FindRectangle(TRect r) const;
  int IndexOf(const Op* op) const { return op ? static_cast<int>(op - ops.data()) : -1; }
  const Op* FindPolygon(const std::vector<TPoint>& points) const;
  // Every recorded op for which pred holds, in drawing order.
  template <class Pred>
  std::vector<const Op*> Where(Pred pred) const {
    std::vector<const Op*> result;
    for (const Op& op : ops)
      if (pred(op)) result.push_back(&op);
    return result;
  }
  // Whether anything was drawn with a red pen or red text.
  bool AnyRed() const;

 private:
  void Add(Kind kind, std::vector<TPoint> points, std::string text = {});
};

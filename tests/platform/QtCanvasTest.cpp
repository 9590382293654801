#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <ostream>
#include <set>
#include <utility>

#include "platform/qt/QtColor.h"
#include "tests/platform/CanvasImage.h"

namespace {

using Pixel = std::pair<int, int>;

struct RectCase {
  TRect given;
  TRect covered;  // columns Left .. Right-1, rows Top .. Bottom-1
};

void PrintTo(const RectCase& c, std::ostream* os) {
  *os << c.given.Left << "," << c.given.Top << "," << c.given.Right << "," << c.given.Bottom;
}

class RectangleTest : public ::testing::TestWithParam<RectCase> {};

struct LineCase {
  TPoint from, to;
  std::set<Pixel> covered;
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.from.x << "," << c.from.y << "-" << c.to.x << "," << c.to.y;
}

class LineTest : public ::testing::TestWithParam<LineCase> {};

struct ColourCase {
  TColor stored;
  QColor shown;
};

void PrintTo(const ColourCase& c, std::ostream* os) { *os << std::hex << "0x" << c.stored; }

class ColourTest : public ::testing::TestWithParam<ColourCase> {};

}  // namespace

// The outline takes the outermost covered columns and rows, the brush all inside them, and
// nothing outside is touched.
TEST_P(RectangleTest, OutlinesAndFillsExactlyTheCoveredPixels) {
  const auto& [given, covered] = GetParam();
  CanvasImage image;
  image.Paint([&](QtCanvas& c) { c.Rectangle(given.Left, given.Top, given.Right, given.Bottom); });
  for (int y = 0; y < image.image.height(); ++y) {
    for (int x = 0; x < image.image.width(); ++x) {
      bool inside =
          x >= covered.Left && x < covered.Right && y >= covered.Top && y < covered.Bottom;
      bool edge = x == covered.Left || x == covered.Right - 1 || y == covered.Top ||
                  y == covered.Bottom - 1;
      QRgb expected = !inside ? CanvasImage::Background
                      : edge  ? CanvasImage::PenColour
                              : CanvasImage::BrushColour;
      ASSERT_EQ(image.At(x, y), expected) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, RectangleTest,
    ::testing::Values(RectCase{{0, 0, 10, 5}, {0, 0, 10, 5}},  // touches column 9 and row 4
                      RectCase{{12, 7, 20, 20}, {12, 7, 20, 20}},
                      RectCase{{30, 3, 31, 4}, {30, 3, 31, 4}},        // a single pixel
                      RectCase{{35, 25, 25, 20}, {25, 20, 35, 25}}));  // corners swapped

TEST(QtCanvasTest, ClearBrushLeavesTheInsideAlone) {
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    c.Brush.Style = BrushStyle::Clear;
    c.Rectangle(0, 0, 10, 5);
  });
  EXPECT_EQ(image.At(9, 4), CanvasImage::PenColour);
  EXPECT_EQ(image.At(5, 2), CanvasImage::Background);
  EXPECT_EQ(image.Count(CanvasImage::BrushColour), 0);
}

TEST(QtCanvasTest, WidePenOutlineIsCentredOnTheEdge) {
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    c.Pen.Width = 3;
    c.Rectangle(5, 5, 15, 15);
  });
  // three rows around row 5 and around row 14, three columns around 5 and 14
  for (int y : {4, 5, 6, 13, 14, 15}) EXPECT_EQ(image.At(10, y), CanvasImage::PenColour) << y;
  for (int x : {4, 5, 6, 13, 14, 15}) EXPECT_EQ(image.At(x, 10), CanvasImage::PenColour) << x;
  for (int y : {3, 16}) EXPECT_EQ(image.At(10, y), CanvasImage::Background) << y;
  for (int v : {7, 12}) EXPECT_EQ(image.At(v, v), CanvasImage::BrushColour) << v;
}

TEST_P(LineTest, CoversItsPixelsWithoutTheEndPoint) {
  const LineCase& line = GetParam();
  CanvasImage image;
  image.Paint([&](QtCanvas& c) {
    c.MoveTo(line.from.x, line.from.y);
    c.LineTo(line.to.x, line.to.y);
    EXPECT_EQ(c.PenPos, line.to);
  });
  std::set<Pixel> drawn;
  for (int y = 0; y < image.image.height(); ++y) {
    for (int x = 0; x < image.image.width(); ++x) {
      if (image.At(x, y) != CanvasImage::Background) drawn.insert({x, y});
    }
  }
  EXPECT_EQ(drawn, line.covered);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineTest,
    ::testing::Values(LineCase{{0, 0}, {5, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
                      LineCase{{5, 0}, {0, 0}, {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}},
                      LineCase{{2, 1}, {2, 4}, {{2, 1}, {2, 2}, {2, 3}}},
                      LineCase{{2, 4}, {2, 1}, {{2, 4}, {2, 3}, {2, 2}}},
                      LineCase{{0, 0}, {4, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
                      LineCase{{9, 1}, {5, 5}, {{9, 1}, {8, 2}, {7, 3}, {6, 4}}},
                      LineCase{{5, 5}, {9, 1}, {{5, 5}, {6, 4}, {7, 3}, {8, 2}}},
                      LineCase{{3, 3}, {3, 3}, {}}));

TEST(QtCanvasTest, SlopedLineGrowsWithAScaledPicture) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(CanvasImage::Background);
  QPainter painter(&image);
  painter.scale(2, 2);
  QtCanvas canvas(painter);
  canvas.Pen = {0x0000FF, 1, PenStyle::Solid};
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 4);
  painter.end();
  // Pixels (0,0) .. (3,3) of the drawing become 2 x 2 blocks of the picture.
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(image.pixel(i, i), CanvasImage::PenColour) << i;
    EXPECT_EQ(image.pixel(i ^ 1, i), CanvasImage::PenColour) << i;
  }
  EXPECT_EQ(image.pixel(8, 8), CanvasImage::Background);
}

TEST(QtCanvasTest, DottedPenLeavesGaps) {
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    c.Pen.Style = PenStyle::Dot;
    c.MoveTo(0, 0);
    c.LineTo(20, 0);
    c.Brush.Style = BrushStyle::Clear;
    c.Rectangle(0, 5, 20, 15);
  });
  auto countRow = [&](int y, QRgb colour) {
    int n = 0;
    for (int x = 0; x < 20; ++x) n += image.At(x, y) == colour;
    return n;
  };
  for (int y : {0, 5, 14}) {
    EXPECT_GT(countRow(y, CanvasImage::PenColour), 5) << y;
    EXPECT_GT(countRow(y, CanvasImage::Background), 5) << y;
  }
  EXPECT_EQ(image.At(20, 0), CanvasImage::Background);
}

TEST(QtCanvasTest, PolygonAndEllipseAreOutlinedAndFilledWhileTheBrushIsSolid) {
  for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
    CanvasImage image;
    image.Paint([&](QtCanvas& c) {
      c.Brush.Style = style;
      TPoint diamond[] = {{6, 1}, {11, 6}, {6, 11}, {1, 6}};
      c.Polygon(diamond);
      c.Ellipse(20, 1, 31, 12);  // columns 20 .. 30, rows 1 .. 11
    });
    QRgb inside = style == BrushStyle::Solid ? CanvasImage::BrushColour : CanvasImage::Background;
    for (auto [x, y] : {Pixel{6, 1}, Pixel{11, 6}, Pixel{6, 11}, Pixel{1, 6}, Pixel{25, 1},
                        Pixel{20, 6}, Pixel{30, 6}, Pixel{25, 11}}) {
      EXPECT_EQ(image.At(x, y), CanvasImage::PenColour) << x << "," << y;
    }
    EXPECT_EQ(image.At(6, 6), inside);
    EXPECT_EQ(image.At(25, 6), inside);
    for (auto [x, y] : {Pixel{31, 6}, Pixel{25, 12}, Pixel{20, 1}, Pixel{25, 0}}) {
      EXPECT_EQ(image.At(x, y), CanvasImage::Background) << x << "," << y;
    }
  }
}

TEST_P(ColourTest, StoredValueShowsAsItsColour) {
  EXPECT_EQ(ToQColor(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourTest,
    ::testing::Values(ColourCase{0x0000FF, QColor(255, 0, 0)},
                      ColourCase{0x00FF8000, QColor(0, 128, 255)},
                      ColourCase{0x808080, QColor(128, 128, 128)},
                      ColourCase{0x02F5F5F5, QColor(245, 245, 245)},
                      ColourCase{0x02FFFFFF, QColor(255, 255, 255)},
                      // one, two and three shade steps below the window background
                      ColourCase{0x02F5F5F5 - 0x000606, QColor(239, 239, 245)},
                      ColourCase{0x02F5F5F5 - 2 * 0x000606, QColor(233, 233, 245)},
                      ColourCase{0x02F5F5F5 - 3 * 0x000606, QColor(227, 227, 245)},
                      ColourCase{0x01563412, QColor(0x12, 0x34, 0x56)}));

TEST(QtCanvasTest, WindowSystemColourIsThePaletteBase) {
  EXPECT_EQ(ToQColor(Colors::Window), QGuiApplication::palette().color(QPalette::Base));
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    c.Brush.Color = 0x02F5EFEF;
    c.Rectangle(0, 0, 10, 10);
  });
  EXPECT_EQ(image.At(5, 5), qRgb(239, 239, 245));
}

TEST(QtCanvasTest, ClipRectFollowsDeviceClipAndTransform) {
  QImage image(40, 30, QImage::Format_RGB32);
  QPainter painter(&image);
  EXPECT_EQ(QtCanvas(painter).ClipRect(), (TRect{0, 0, 40, 30}));
  painter.translate(-10, -5);
  EXPECT_EQ(QtCanvas(painter).ClipRect(), (TRect{10, 5, 50, 35}));
  painter.setClipRect(12, 6, 10, 8);
  EXPECT_EQ(QtCanvas(painter).ClipRect(), (TRect{12, 6, 22, 14}));
  painter.setClipRect(100, 100, 5, 5);
  QtCanvas outside(painter);
  EXPECT_TRUE(outside.ClipRect().Right <= outside.ClipRect().Left);
}

namespace {

// Records the canvas clip of its last paint event.
class ClipProbe : public QWidget {
 public:
  using QWidget::QWidget;
  TRect clip{-1, -1, -1, -1};

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    clip = QtCanvas(painter).ClipRect();
  }
};

}  // namespace

// A child widget paints into its window's backing store at an offset; the clip is still in the
// child's own coordinates and covers only the part being repainted.
TEST(QtCanvasTest, ClipRectOfAWidgetIsTheRepaintedPart) {
  QWidget window;
  window.resize(300, 200);
  ClipProbe child(&window);
  child.setGeometry(50, 40, 100, 80);
  window.show();
  QCoreApplication::processEvents();
  child.repaint();
  EXPECT_EQ(child.clip, (TRect{0, 0, 100, 80}));
  child.repaint(QRect(5, 6, 10, 12));
  EXPECT_EQ(child.clip, (TRect{5, 6, 15, 18}));
}

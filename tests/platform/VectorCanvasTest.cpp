// Drawing on vector devices: one shape per rectangle and line, whatever their length, which
// looks like the drawing on pixels.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <functional>
#include <map>

#include "platform/qt/QtCanvas.h"

namespace {

using Draw = std::function<void(QtCanvas&)>;

QByteArray Svg(const Draw& draw, double scale = 1) {
  QBuffer buffer;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(200, 120));
  generator.setViewBox(QRect(0, 0, 200, 120));
  QPainter painter(&generator);
  painter.scale(scale, scale);
  QtCanvas canvas(painter);
  canvas.Pen = {Colors::Black, 1, PenStyle::Solid};
  canvas.Brush = {Colors::White, BrushStyle::Solid};
  draw(canvas);
  painter.end();
  return buffer.data();
}

struct Shape {
  QString name;
  std::map<QString, QString> group;  // the style of the group that holds it
};

// The shapes of an SVG document, each with the attributes of its innermost group.
std::vector<Shape> Shapes(const QByteArray& svg) {
  std::vector<Shape> shapes;
  std::vector<std::map<QString, QString>> groups;
  QXmlStreamReader reader(svg);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == u"g") {
      std::map<QString, QString> attributes;
      for (const auto& a : reader.attributes())
        attributes[a.name().toString()] = a.value().toString();
      groups.push_back(attributes);
    } else if (reader.isEndElement() && reader.name() == u"g") {
      groups.pop_back();
    } else if (reader.isStartElement()) {
      static const QStringList kinds = {"rect", "line",   "polyline", "polygon",
                                        "path", "circle", "ellipse"};
      if (kinds.contains(reader.name().toString()))
        shapes.push_back({reader.name().toString(),
                          groups.empty() ? std::map<QString, QString>() : groups.back()});
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return shapes;
}

void Lines(QtCanvas& c, int32_t length) {
  c.MoveTo(10, 10);
  c.LineTo(10 + length, 10 + length / 3);  // sloped
  c.Pen.Style = PenStyle::Dot;
  c.MoveTo(10, 50);
  c.LineTo(10 + length, 50);  // dotted
  c.LineTo(10, 50 + length);  // dotted and sloped
}

TEST(VectorCanvas, EveryRectangleAndLineIsOneShape) {
  const auto shapes = Shapes(Svg([](QtCanvas& c) {
    c.Rectangle(5, 5, 100, 50);
    Lines(c, 150);
    c.Pen.Style = PenStyle::Solid;
    c.MoveTo(5, 60);
    c.LineTo(150, 60);
    c.Brush.Style = BrushStyle::Clear;
    c.Pen.Style = PenStyle::Dot;
    c.Rectangle(5, 70, 100, 110);
  }));
  EXPECT_EQ(shapes.size(), 6u);
}

TEST(VectorCanvas, AFileGrowsWithTheNumberOfLinesNotTheirLength) {
  const QByteArray shortLines = Svg([](QtCanvas& c) { Lines(c, 30); });
  const QByteArray longLines = Svg([](QtCanvas& c) { Lines(c, 30000); });
  EXPECT_LT(std::abs(longLines.size() - shortLines.size()), 40) << longLines.toStdString();
}

// A picture scaled down keeps its lines one device unit wide, as pixel pictures keep them one
// pixel wide.
TEST(VectorCanvas, LinesAreAtLeastOneDeviceUnitWide) {
  for (double scale : {0.25, 1.0, 2.0}) {
    for (const Shape& shape : Shapes(Svg(
             [](QtCanvas& c) {
               c.Rectangle(5, 5, 100, 50);
               Lines(c, 100);
             },
             scale))) {
      EXPECT_DOUBLE_EQ(shape.group.at("stroke-width").toDouble(), std::max(1.0, 1 / scale));
    }
  }
}

// Qt's way of drawing a static text on vector devices leaves a pen of its own behind; the
// shapes after a text keep their square corners.
TEST(VectorCanvas, ShapesAfterATextKeepTheirPen) {
  const auto shapes = Shapes(Svg([](QtCanvas& c) {
    c.TextOut(10, 10, "Text");
    c.Rectangle(5, 30, 100, 60);
    c.TextOut(10, 70, "Text");
    TPoint diamond[] = {{50, 80}, {60, 90}, {50, 100}, {40, 90}};
    c.Polygon(diamond);
  }));
  ASSERT_EQ(shapes.size(), 4u);  // two text backgrounds, the rectangle and the polygon
  for (const Shape& shape : shapes) {
    if (shape.group.at("stroke") != "none") {
      EXPECT_EQ(shape.group.at("stroke-linejoin"), "miter");
    }
  }
}

// The drawing on pixels, and its SVG rendered again four times as large (at its own size Qt's
// renderer leaves the corners of thin outlines partly open).
struct Renderings {
  QImage pixels{200, 120, QImage::Format_RGB32};
  QImage rendered{800, 480, QImage::Format_RGB32};
};

Renderings DrawBothWays(const Draw& draw) {
  Renderings both;
  both.pixels.fill(Qt::white);
  both.rendered.fill(Qt::white);
  {
    QPainter painter(&both.pixels);
    QtCanvas canvas(painter);
    canvas.Pen = {Colors::Black, 1, PenStyle::Solid};
    canvas.Brush = {Colors::White, BrushStyle::Solid};
    draw(canvas);
  }
  QSvgRenderer renderer(Svg(draw));
  QPainter painter(&both.rendered);
  renderer.render(&painter);
  return both;
}

// Rectangles and axis-parallel lines, thin, wide and dotted, cover the same pixels.
TEST(VectorCanvas, LooksLikeTheDrawingOnPixels) {
  const Renderings both = DrawBothWays([](QtCanvas& c) {
    c.Rectangle(5, 5, 100, 50);
    c.Rectangle(20, 20, 21, 40);
    c.MoveTo(110, 10);
    c.LineTo(190, 10);
    c.LineTo(190, 100);
    c.Pen.Style = PenStyle::Dot;
    c.MoveTo(30, 60);
    c.LineTo(90, 60);
    c.LineTo(90, 80);
    c.Pen.Style = PenStyle::Solid;
    c.Pen.Width = 3;
    c.Brush.Style = BrushStyle::Clear;
    c.Rectangle(120, 30, 170, 90);
    c.MoveTo(10, 100);
    c.LineTo(100, 100);
  });
  EXPECT_EQ(both.rendered,
            both.pixels.scaled(800, 480, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

// Sloped lines, solid and dotted, pass through every pixel the pixel picture gives them.
TEST(VectorCanvas, SlopedLinesPassThroughTheirPixels) {
  const Renderings both = DrawBothWays([](QtCanvas& c) {
    c.MoveTo(10, 10);
    c.LineTo(190, 40);
    c.LineTo(100, 110);
    c.Pen.Style = PenStyle::Dot;
    c.MoveTo(10, 110);
    c.LineTo(150, 60);
  });
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (both.pixels.pixel(x, y) == qRgb(255, 255, 255)) continue;
      int darkest = 255;
      for (int dy = 0; dy < 4; ++dy)
        for (int dx = 0; dx < 4; ++dx)
          darkest = std::min(darkest, qGray(both.rendered.pixel(4 * x + dx, 4 * y + dy)));
      EXPECT_LT(darkest, 128) << x << "," << y;
    }
  }
}

}  // namespace

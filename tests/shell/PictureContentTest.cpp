// What pictures hold: every line at any scale, one shape per line in vector pictures whatever
// its length, well-formed SVG for any text, long texts measured as long as they are, and
// scales far below one pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <cmath>

#include "model/Display.h"
#include "platform/qt/MeasuringCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "shell/ImageExport.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

using shelltest::AllKinds;
using shelltest::DesignFile;
using shelltest::ReadFile;
using shelltest::RunTavelon;
using shelltest::TempFolder;
using shelltest::WriteFile;

constexpr QRgb kWhite = qRgb(255, 255, 255);

// Draws only the rectangles and lines, which the canvas lays on the device's pixels itself;
// texts, polygons and ellipses are Qt's, which keeps its own rounding.
class LinesOnly : public QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  void TextOut(int32_t, int32_t, const std::string&) override {}
  void Polygon(std::span<const TPoint>) override {}
  void Ellipse(int32_t, int32_t, int32_t, int32_t) override {}
};

QImage LinesOfDiagram(TBlock& root, DiagramView view, double scale) {
  TDisplayOptions options;
  SetPictureOptions(options, view);
  MeasuringCanvas measuring;
  const DiagramLayout layout = LayoutDiagram(root, measuring.canvas(), options);
  const QByteArray png = RenderPicture(PictureFormat::Png, QSize(layout.Size.w, layout.Size.h),
                                       scale, [&](QPainter& painter) {
                                         LinesOnly canvas(painter);
                                         DisplayStruktogramm(root, canvas, layout.Origin, options);
                                       });
  return QImage::fromData(png, "PNG");
}

struct ScaleCase {
  DiagramView view;
  double scale;
};

class ScaledDiagram : public testing::TestWithParam<ScaleCase> {};

// Every pixel of a frame edge or connector in the unscaled picture falls into a pixel of the
// scaled one that holds ink.
TEST_P(ScaledDiagram, HoldsEveryLineOfTheUnscaledOne) {
  const auto [view, scale] = GetParam();
  BlockPtr root = BuildBlock(AllKinds, "gesamtes Programm");
  const QImage unscaled = LinesOfDiagram(*root, view, 1);
  const QImage scaled = LinesOfDiagram(*root, view, scale);
  int lost = 0;
  for (int y = 0; y < unscaled.height(); ++y) {
    for (int x = 0; x < unscaled.width(); ++x) {
      if (unscaled.pixel(x, y) == kWhite) continue;
      const int sx = static_cast<int>(std::floor(x * scale)),
                sy = static_cast<int>(std::floor(y * scale));
      if (scaled.pixel(sx, sy) == kWhite && ++lost <= 5)
        ADD_FAILURE() << x << "," << y << " is lost";
    }
  }
  EXPECT_EQ(lost, 0);
}

INSTANTIATE_TEST_SUITE_P(ViewsAndScales, ScaledDiagram,
                         testing::Values(ScaleCase{DiagramView::Structogram, 0.3},
                                         ScaleCase{DiagramView::Structogram, 0.5},
                                         ScaleCase{DiagramView::Structogram, 0.75},
                                         ScaleCase{DiagramView::Flowchart, 0.3},
                                         ScaleCase{DiagramView::Flowchart, 0.5},
                                         ScaleCase{DiagramView::Flowchart, 0.75},
                                         ScaleCase{DiagramView::Flowchart, 1.5}));

// The whole way from the command line: a statement's box keeps all four edges.
TEST(ScaledPicture, KeepsEveryEdgeOfABox) {
  TempFolder folder;
  WriteFile(folder / "s.str", DesignFile("A(x)"));
  for (const char* scale : {"0.3", "0.5", "0.75"}) {
    const auto result = RunTavelon({"--export-image", folder / "s.str", folder / "s.png", "--view",
                                    "struktogramm", "--scale", scale});
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage image(QString::fromStdString(folder / "s.png"));
    // The box's outline lies on the first and last columns and rows that hold ink.
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty()) << scale;
    for (int x = ink.left(); x <= ink.right(); ++x) {
      EXPECT_NE(image.pixel(x, ink.top()), kWhite) << scale << " top " << x;
      EXPECT_NE(image.pixel(x, ink.bottom()), kWhite) << scale << " bottom " << x;
    }
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
      EXPECT_NE(image.pixel(ink.left(), y), kWhite) << scale << " left " << y;
      EXPECT_NE(image.pixel(ink.right(), y), kWhite) << scale << " right " << y;
    }
  }
}

// The elements of an SVG document, and whether it is well-formed.
struct SvgContent {
  int shapes = 0;
  QStringList texts;
  QString error;
};

SvgContent ReadSvg(const std::string& bytes) {
  SvgContent content;
  QXmlStreamReader reader(QByteArray::fromStdString(bytes));
  static const QStringList kinds = {"rect", "line", "polyline", "polygon", "path", "circle"};
  while (!reader.atEnd()) {
    reader.readNext();
    if (!reader.isStartElement()) continue;
    if (kinds.contains(reader.name().toString())) ++content.shapes;
    if (reader.name() == u"text") content.texts << reader.readElementText();
  }
  if (reader.hasError()) content.error = reader.errorString();
  return content;
}

// A wide decision draws its long sloped lines as two shapes, as a narrow one does.
TEST(VectorPicture, GrowsWithTheElementsNotTheirWidth) {
  TempFolder folder;
  constexpr std::size_t kLength = 1000;
  const std::string wide = "I(" + std::string(kLength, 'c') + ")[A(j)|A(n)]";
  WriteFile(folder / "schmal.str", DesignFile("I(c)[A(j)|A(n)]"));
  WriteFile(folder / "breit.str", DesignFile(wide));
  std::map<std::string, std::size_t> sizes;
  for (const char* name : {"schmal", "breit"}) {
    for (const char* format : {".svg", ".pdf"}) {
      const std::string picture = folder / (name + std::string(format));
      ASSERT_EQ(RunTavelon({"--export-image", folder / (name + std::string(".str")), picture,
                            "--view", "struktogramm"})
                    .status,
                0);
      sizes[name + std::string(format)] = ReadFile(picture).size();
    }
  }
  const SvgContent narrow = ReadSvg(ReadFile(folder / "schmal.svg"));
  const SvgContent broad = ReadSvg(ReadFile(folder / "breit.svg"));
  EXPECT_EQ(broad.shapes, narrow.shapes);
  // The wide one only adds its condition's characters.
  EXPECT_LT(sizes["breit.svg"], sizes["schmal.svg"] + kLength + 200);
  EXPECT_LT(sizes["breit.pdf"], sizes["schmal.pdf"] + kLength);
}

// Texts may hold any byte but 00 and 01; XML 1.0 forbids most control characters, which an
// SVG picture shows as the replacement character.
TEST(VectorPicture, SvgIsWellFormedWhateverTheTextsHold) {
  TempFolder folder;
  WriteFile(folder / "c.str", std::string("B:\x01") + "A:x\x0By\x02z\x1F\x01" + "\x02\x02");
  ASSERT_EQ(RunTavelon({"--export-image", folder / "c.str", folder / "c.svg"}).status, 0);
  const SvgContent svg = ReadSvg(ReadFile(folder / "c.svg"));
  EXPECT_EQ(svg.error, "");
  EXPECT_TRUE(svg.texts.contains(QString::fromUtf8("x\uFFFDy\uFFFDz\uFFFD")))
      << svg.texts.join("|").toStdString();
}

// Five million characters are wider than Qt's own text advance can count: the picture is
// refused with the size the measurement in pieces gives.
TEST(LongText, APictureTooWideIsRefusedWithItsTrueSize) {
  TempFolder folder;
  WriteFile(folder / "lang.str",
            std::string("B:\x01") + "A:" + std::string(5'000'000, 'x') + "\x01" + "\x02\x02");
  BlockPtr root = LoadDesignFile(folder / "lang.str");
  MeasuringCanvas measuring;
  TDisplayOptions options;
  SetPictureOptions(options, DiagramView::Structogram);
  const TSize size = LayoutDiagram(*root, measuring.canvas(), options).Size;
  EXPECT_GT(size.w, 5'000'000 * 7);
  const auto result = RunTavelon(
      {"--export-image", folder / "lang.str", folder / "lang.png", "--view", "struktogramm"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Das Bild wäre " + std::to_string(size.w) + " × " +
                            std::to_string(size.h) + " Pixel groß"),
            std::string::npos)
      << result.err;
}

// However small the scale, a picture has one pixel and its drawing stays finite.
TEST(TinyScale, GivesAOnePixelPictureInEveryFormat) {
  TempFolder folder;
  WriteFile(folder / "e.str", DesignFile(AllKinds));
  for (const char* scale : {"1e-10", "1e-300", "5e-324"}) {
    for (const char* name : {"t.png", "t.svg", "t.pdf"}) {
      const auto result =
          RunTavelon({"--export-image", folder / "e.str", folder / name, "--scale", scale});
      EXPECT_EQ(result.status, 0) << scale << " " << name << ": " << result.err;
    }
    EXPECT_EQ(QImage(QString::fromStdString(folder / "t.png")).size(), QSize(1, 1));
    const std::string svg = ReadFile(folder / "t.svg");
    EXPECT_EQ(ReadSvg(svg).error, "") << scale;
    EXPECT_EQ(svg.find("inf"), std::string::npos) << scale;
    EXPECT_EQ(svg.find("nan"), std::string::npos) << scale;
    EXPECT_TRUE(ReadFile(folder / "t.pdf").starts_with("%PDF-")) << scale;
  }
}

}  // namespace

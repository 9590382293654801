#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/qt/Encoding.h"
#include "platform/qt/FontCache.h"
#include "tests/platform/CanvasImage.h"

namespace {

const std::string kUmlauts = "\xE4\xF6\xFC\xDF\x80";  // äöüß€ in Windows-1252
const QString kUnicodeUmlauts = QString::fromUtf8("äöüß€");

bool Reddish(QRgb p) { return qRed(p) > qGreen(p) + 60 && qRed(p) > qBlue(p) + 60; }

}  // namespace

TEST(QtTextTest, SolidBrushFillsTheTextCellAndClearBrushDoesNot) {
  for (BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
    CanvasImage image;
    TSize size;
    image.Paint([&](QtCanvas& c) {
      c.Brush.Style = style;
      c.Font.Color = 0x0000FF;
      size = c.TextExtent("Wg");
      c.TextOut(3, 2, "Wg");
    });
    int brush = image.Count(CanvasImage::BrushColour);
    if (style == BrushStyle::Solid) {
      EXPECT_GT(brush, size.w * size.h / 2);
      EXPECT_EQ(image.At(3, 2), CanvasImage::BrushColour);
      EXPECT_EQ(image.At(3 + size.w - 1, 2 + size.h - 1), CanvasImage::BrushColour);
    } else {
      EXPECT_EQ(brush, 0);
    }
    EXPECT_EQ(image.At(3 + size.w, 2), CanvasImage::Background);
    EXPECT_EQ(image.At(3, 2 + size.h), CanvasImage::Background);
    bool red = false;
    for (int y = 2; y < 2 + size.h; ++y) {
      for (int x = 3; x < 3 + size.w; ++x) red = red || Reddish(image.At(x, y));
    }
    EXPECT_TRUE(red) << "the text takes the font colour";
  }
}

// The Windows-1252 bytes draw as the characters they stand for, the same as Qt draws them
// from Unicode, and not as the "?" of a failed conversion.
TEST(QtTextTest, UmlautsAndEuroDrawAsTheirGlyphs) {
  CanvasImage viaCanvas, viaQt, questionMarks;
  TSize extent;
  viaCanvas.Paint([&](QtCanvas& c) {
    c.Brush.Style = BrushStyle::Clear;
    extent = c.TextExtent(kUmlauts);
    c.TextOut(2, 4, kUmlauts);
  });
  questionMarks.Paint([&](QtCanvas& c) {
    c.Brush.Style = BrushStyle::Clear;
    c.TextOut(2, 4, "?????");
  });
  QFont font = FontCache::MakeFont(TFont{});
  QFontMetrics metrics(font, &viaQt.image);
  {
    QPainter painter(&viaQt.image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(2, 4 + metrics.ascent(), kUnicodeUmlauts);
  }
  EXPECT_EQ(viaCanvas.image, viaQt.image);
  EXPECT_NE(viaCanvas.image, questionMarks.image);
  EXPECT_EQ(extent, (TSize{metrics.horizontalAdvance(kUnicodeUmlauts), metrics.height()}));
}

// Printing uses point sizes, which scale with the device's resolution.
TEST(QtTextTest, PointSizedTextFollowsTheDeviceResolution) {
  const TFont times{"Times New Roman", 0, 12, Colors::Black};
  CanvasImage viaCanvas(120, 80), viaQt(120, 80);
  for (QImage* image : {&viaCanvas.image, &viaQt.image}) {
    image->setDotsPerMeterX(11811);  // 300 dots per inch
    image->setDotsPerMeterY(11811);
  }
  TSize extent;
  viaCanvas.Paint([&](QtCanvas& c) {
    c.Font = times;
    c.Brush.Style = BrushStyle::Clear;
    extent = c.TextExtent("ja");
    c.TextOut(2, 4, "ja");
  });
  QPainter painter(&viaQt.image);
  painter.setFont(FontCache::MakeFont(times));
  painter.drawText(2, 4 + painter.fontMetrics().ascent(), "ja");
  painter.end();
  EXPECT_GE(extent.h, 12 * 300 / 72);  // at least the font's size in the image's pixels
  EXPECT_EQ(viaCanvas.image, viaQt.image);
}

TEST(QtTextTest, QStringConversionUsesWindows1252) {
  EXPECT_EQ(ToQString(kUmlauts), kUnicodeUmlauts);
  EXPECT_EQ(FromQString(kUnicodeUmlauts), kUmlauts);
  EXPECT_EQ(FromQString(QString::fromUtf8("x ≠ Ω")), "x ? ?");
  EXPECT_EQ(ToQString(std::string("a\0b", 3)).size(), 3);
}

TEST(QtTextTest, TheBytesWhereWindows1252LeavesLatin1AreMappedWherePlaced) {
  // 0x80 is the euro sign, 0x85 the ellipsis, 0x9F the capital Y with diaeresis.
  EXPECT_EQ(ToQString("\x80"), QString(QChar(0x20AC)));
  EXPECT_EQ(ToQString("a\x85" "b\x9F\xE4" "c"),
            QString::fromUtf16(u"a\u2026b\u0178\u00E4c"));
  const std::string longText = std::string(100000, ' ') + "\x80";
  EXPECT_EQ(ToQString(longText).back(), QChar(0x20AC));
}

TEST(QtTextTest, MissingWindowsFontsFallBackToInstalledOnes) {
  QFontInfo screen(FontCache::MakeFont(TFont{}));
  EXPECT_TRUE(screen.family() == "DejaVu Sans" || screen.family() == "Liberation Sans")
      << screen.family().toStdString();
  EXPECT_EQ(screen.pixelSize(), 13);
  QFontInfo printer(FontCache::MakeFont(TFont{"Times New Roman", 0, 12, Colors::Black}));
  EXPECT_EQ(printer.family(), "Liberation Serif");
  EXPECT_EQ(printer.pointSize(), 12);
}

// Extents are kept per font: a text measured in one size must not answer for another.
TEST(QtTextTest, ExtentFollowsTheCurrentFont) {
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    TSize small = c.TextExtent("Anweisung");
    c.Font.PixelHeight = 26;
    TSize large = c.TextExtent("Anweisung");
    EXPECT_GT(large.w, small.w * 3 / 2);
    EXPECT_GT(large.h, small.h * 3 / 2);
    c.Font.PixelHeight = 13;
    EXPECT_EQ(c.TextExtent("Anweisung"), small);
    EXPECT_EQ(c.TextExtent(""), (TSize{0, small.h}));
  });
}

TEST(QtTextTest, PaintsOnSvgAndPdfDevices) {
  QBuffer svg;
  QSvgGenerator generator;
  generator.setOutputDevice(&svg);
  generator.setSize(QSize(200, 100));
  {
    QPainter painter(&generator);
    QtCanvas canvas(painter);
    canvas.Rectangle(10, 10, 100, 40);
    canvas.TextOut(12, 12,
                   "Gr\xF6\xDF"
                   "e");
  }
  EXPECT_TRUE(svg.data().contains(QString::fromUtf8("Größe").toUtf8()));

  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    QPainter painter(&writer);
    QtCanvas canvas(painter);
    CanvasImage image;
    image.Paint([&](QtCanvas& screen) {
      EXPECT_NE(screen.DeviceKey(), 0u);
      EXPECT_NE(screen.DeviceKey(), canvas.DeviceKey()) << "measurements differ by resolution";
    });
    canvas.Font = TFont{"Times New Roman", 0, 12, Colors::Black};
    EXPECT_GT(canvas.TextExtent("ja").h, 20) << "12 points at the writer's resolution";
    canvas.TextOut(10, 10, "ja");
  }
  EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

// Qt's own advance of a text overflows beyond 2^25 pixels; a long text is measured in pieces
// and comes out as long as its characters together are wide. A large font reaches that width
// with few characters.
TEST(QtTextTest, LongTextsAreAsWideAsTheirCharacters) {
  CanvasImage image;
  image.Paint([](QtCanvas& c) {
    c.Font.PixelHeight = 2000;
    const std::size_t piece = FontCache::PieceLength;
    const double perCharacter = c.TextExtent(std::string(piece, 'x')).w / double(piece);
    ASSERT_GT(40'000 * perCharacter, double{1 << 25});
    for (std::size_t n : {piece + 1, std::size_t{40'000}, std::size_t{100'000}}) {
      const TSize extent = c.TextExtent(std::string(n, 'x'));
      EXPECT_NEAR(extent.w, n * perCharacter, double(n / piece + 1)) << n;
      EXPECT_EQ(extent.h, c.TextExtent("x").h);
    }
    EXPECT_EQ(c.TextExtent(std::string(200'000, 'x')).w, FontCache::MaxTextWidth);
  });
}

// Drawn from far to the left, the end of a text too long for Qt's own layout stands where its
// extent says it ends.
TEST(QtTextTest, ALongTextIsDrawnToItsEnd) {
  const std::string text = std::string(30'000, 'x') + "W";
  CanvasImage image(60, 2400);
  TSize extent, last;
  image.Paint([&](QtCanvas& c) {
    c.Font.PixelHeight = 2000;
    c.Brush.Style = BrushStyle::Clear;
    extent = c.TextExtent(text);
    last = c.TextExtent("W");
    ASSERT_GT(extent.w, 1 << 25);
    c.TextOut(50 - extent.w, 0, text);
  });
  int inkRight = -1;
  for (int y = 0; y < extent.h; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (image.At(x, y) != CanvasImage::Background) inkRight = std::max(inkRight, x);
    }
  }
  EXPECT_LT(inkRight, 50);
  EXPECT_GT(inkRight, 50 - last.w / 4) << "the W stands at the end";
}

// Pictures of a design: size from the margin rule, nothing cut off, scale, formats, limits.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <cmath>

#include "model/Display.h"
#include "platform/qt/QtCanvas.h"
#include "shell/Conversions.h"
#include "shell/ImageExport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TreeText.h"

namespace {

using shelltest::AllKinds;
using shelltest::DesignFile;
using shelltest::ReadFile;
using shelltest::RunTavelon;
using shelltest::TempFolder;
using shelltest::WriteFile;

// The smallest rectangle holding every pixel that is not white.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

struct PictureCase {
  const char* name;
  const char* design;
  DiagramView view;
};

class DiagramPicture : public testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override { WriteFile(input, DesignFile(GetParam().design)); }
  bool Flowchart() const { return GetParam().view == DiagramView::Flowchart; }

  QImage ExportPng(const std::string& scale = "1") {
    auto result = RunTavelon({"--export-image", input, folder / "bild.png", "--view",
                              Flowchart() ? "flussdiagramm" : "struktogramm", "--scale", scale});
    EXPECT_EQ(result.status, 0) << result.err;
    // Compared as colours: the file may keep them in a colour table.
    return QImage(QString::fromStdString(folder / "bild.png")).convertToFormat(QImage::Format_RGB32);
  }

  // The pixels the diagram covers, from its size measured in the screen font: a structogram's
  // box from the origin (15, 15) with its bottom border on row 15 + H; a flowchart's frame
  // reaching W/2 to either side of x = W/2 + 30, its exit line ending on row 15 + H - 1.
  QRect DiagramBox() {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    TDisplayOptions options;
    SetPictureOptions(options, GetParam().view);
    const TSize m = LoadDesignFile(input)->GetSize(canvas, options);
    if (!Flowchart()) return QRect(QPoint(15, 15), QPoint(15 + m.w - 1, 15 + m.h));
    return QRect(QPoint(30, 15), QPoint(30 + 2 * (m.w / 2), 15 + m.h - 1));
  }

  TempFolder folder;
  std::string input = folder / "entwurf.str";
};

// The margins right and below repeat those the display origin leaves left and above.
TEST_P(DiagramPicture, HoldsTheDiagramWithTheSameMarginOnEverySide) {
  const QImage image = ExportPng();
  const QRect box = DiagramBox();
  EXPECT_EQ(image.size(), QSize(box.right() + 1 + box.left(), box.bottom() + 1 + box.top()));
  const QRect ink = InkBox(image);
  EXPECT_EQ(ink.left(), box.left());
  EXPECT_EQ(ink.right(), box.right());
  EXPECT_EQ(ink.bottom(), box.bottom());
  if (!Flowchart()) {
    EXPECT_EQ(ink.top(), box.top());
    return;
  }
  // The start symbol stands in the top margin, its line from row 11 down to the origin.
  EXPECT_GE(ink.top(), 6);
  const int x = box.center().x();
  for (int y = 11; y < 15; ++y) EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 0)) << y;
  EXPECT_NE(InkBox(image.copy(x - 2, 6, 5, 5)), QRect());
}

// Drawn with 100 pixels of room on every side, the diagram is the same and covers nothing
// beyond the picture's area.
TEST_P(DiagramPicture, NothingIsCutOff) {
  const QImage picture = ExportPng();
  QImage roomy(picture.size() + QSize(200, 200), QImage::Format_RGB32);
  roomy.fill(Qt::white);
  {
    QPainter painter(&roomy);
    QtCanvas canvas(painter);
    TDisplayOptions options;
    SetPictureOptions(options, GetParam().view);
    BlockPtr root = LoadDesignFile(input);
    const DiagramLayout layout = LayoutDiagram(*root, canvas, options);
    DisplayStruktogramm(*root, canvas, {layout.Origin.x + 100, layout.Origin.y + 100}, options);
  }
  EXPECT_EQ(InkBox(roomy), InkBox(picture).translated(100, 100));
  EXPECT_EQ(roomy.copy(QRect(QPoint(100, 100), picture.size())), picture);
}

TEST_P(DiagramPicture, ScaleEnlargesTheWholePicture) {
  const QSize size = ExportPng().size();
  const QImage image = ExportPng("2");
  EXPECT_EQ(image.size(), size * 2);
  EXPECT_EQ(InkBox(image).left(), 2 * DiagramBox().left());
  EXPECT_EQ(InkBox(image).bottom(), 2 * DiagramBox().bottom() + 1);
  EXPECT_EQ(ExportPng("0.5").size(), QSize((size.width() + 1) / 2, (size.height() + 1) / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DiagramPicture,
    testing::Values(PictureCase{"NewStructogram", "", DiagramView::Structogram},
                    PictureCase{"NewFlowchart", "", DiagramView::Flowchart},
                    PictureCase{"AllKindsStructogram", AllKinds, DiagramView::Structogram},
                    PictureCase{"AllKindsFlowchart", AllKinds, DiagramView::Flowchart}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFile, FormatsFollowTheExtensionAndTheFlowchartIsTheDefault) {
  TempFolder folder;
  WriteFile(folder / "e.str", DesignFile(""));
  for (const char* name : {"a.png", "b.svg", "c.PDF"}) {
    ASSERT_EQ(RunTavelon({"--export-image", folder / "e.str", folder / name}).status, 0) << name;
  }
  const QImage png(QString::fromStdString(folder / "a.png"));
  // Inside the frame of an empty block the screen would show its grey shade.
  EXPECT_EQ(png.pixel(png.width() / 2 - 10, png.height() / 2), qRgb(255, 255, 255));
  const std::string svg = ReadFile(folder / "b.svg");
  EXPECT_TRUE(svg.starts_with("<?xml") || svg.starts_with("<svg"));
  EXPECT_NE(
      svg.find(QString("viewBox=\"0 0 %1 %2\"").arg(png.width()).arg(png.height()).toStdString()),
      std::string::npos);
  const std::string pdf = ReadFile(folder / "c.PDF");
  EXPECT_TRUE(pdf.starts_with("%PDF-"));
  EXPECT_NE(pdf.find(QString("/MediaBox [0 0 %1.000000 %2.000000]")
                         .arg(png.width())
                         .arg(png.height())
                         .toStdString()),
            std::string::npos);
}

TEST(PictureFile, UnknownFormatsAndOversizedPicturesAreRefused) {
  TempFolder folder;
  WriteFile(folder / "e.str", DesignFile("A(a)"));
  auto unknown = RunTavelon({"--export-image", folder / "e.str", folder / "e.bmp"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "tavelon: Unbekanntes Bildformat: " + (folder / "e.bmp") +
                             " (erlaubt sind Dateien mit .png, .svg oder .pdf)\n");
  auto scaled =
      RunTavelon({"--export-image", folder / "e.str", folder / "e.svg", "--scale", "500"});
  EXPECT_EQ(scaled.status, 1);
  EXPECT_NE(scaled.err.find("Pixel je Seite sind nicht möglich (mit --scale kleiner zeichnen)"),
            std::string::npos);
  // A million statements, one record each.
  std::string million("B:\x01");
  for (int i = 0; i < 1'000'000; ++i) million += std::string("A:s\x01");
  WriteFile(folder / "gross.str", million + "\x02\x02");
  auto huge = RunTavelon({"--export-image", folder / "gross.str", folder / "gross.png"});
  EXPECT_EQ(huge.status, 1);
  EXPECT_NE(huge.err.find("Pixel je Seite sind nicht möglich"), std::string::npos);
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"e.str", "gross.str"}));
  EXPECT_THROW(
      ScaledPictureSize({MaxPictureSide, MaxPngPixels / MaxPictureSide + 1}, 1, PictureFormat::Png),
      PictureError);
}

// The size a refusal names is the true one, however far beyond the range of an integer.
TEST(PictureFile, ARefusedSizeIsNamedInWholePixels) {
  try {
    ScaledPictureSize({INT32_MAX, 3}, MaxPictureScale, PictureFormat::Svg);
    ADD_FAILURE() << "not refused";
  } catch (const PictureError& refused) {
    EXPECT_TRUE(std::string(refused.what()).starts_with("Das Bild wäre 2147483647000 × 3000 Pixel"))
        << refused.what();
  }
  for (double scale : {0.0, -1.0, 1e19, std::nan(""), HUGE_VAL}) {
    EXPECT_THROW(ScaledPictureSize({10, 10}, scale, PictureFormat::Png), PictureError) << scale;
  }
}

}  // namespace

// "Drucken" and "Druckvorschau": the active window's diagram under its caption, at the size
// the window shows it, on as many pages as it needs.
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "model/Display.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPrinter.h"
#include "tests/editor/EditorTestSupport.h"
#include "window/DiagramPrint.h"
#include "window/PrintLayout.h"

namespace editortest {
namespace {

using PrintTest = EditorTest;

// The box around the pixels that are not white in rows top to bottom (exclusive).
QRect Ink(const QImage& image, int top = 0, int bottom = INT_MAX) {
  QRect box;
  for (int y = top; y < std::min(bottom, image.height()); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
  return box;
}

// The first row from y on that has ink (with ink false: none), or the image's height.
int Row(const QImage& image, int y, bool ink = true) {
  while (y < image.height() && Ink(image, y, y + 1).isNull() == ink) ++y;
  return y;
}

std::string Statements(int count, const std::string& text = "Anweisung") {
  std::string design;
  for (int i = 0; i < count; ++i) design += "A(" + text + " " + std::to_string(i) + ") ";
  return design;
}

TEST_F(PrintTest, TheHeadingStandsAboveTheDiagramWithRoomBetweenAndTheScreenSettingsReturn) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(erste Anweisung) I(c)[A(ja)|A(nein)]");
    Click(First(), At({0}));  // a selection is not printed
    printer.jobs.clear();
    dialogs.AnswerPrintDialog(true);
    Trigger("Drucken2");
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].title, "gesamtes Programm");
    ASSERT_EQ(printer.jobs[0].pages.size(), 1u);
    const QImage& page = printer.jobs[0].pages[0];
    const int headingTop = Row(page, 0), headingEnd = Row(page, headingTop, false);
    EXPECT_LT(headingTop, 8);
    EXPECT_LE(headingEnd, 24);
    EXPECT_GE(Row(page, headingEnd) - headingEnd, PrintLayout::HeadingGap);
    EXPECT_LT(Row(page, headingEnd), page.height());
    EXPECT_TRUE(page.allGray()) << "the selection's colour is printed";
    EXPECT_EQ(First().Options->Spacing, 6);
    EXPECT_EQ(First().Options->Printing, 0);
    EXPECT_EQ(First().Options->OnScreen, 1);
  }
}

// At 96 pixels per inch the printed diagram is as wide as the window draws it; a wider one is
// scaled down to the printable width.
TEST_F(PrintTest, TheDiagramKeepsItsWindowWidthUnlessItIsWiderThanThePage) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"})
    for (int length : {1, 80}) {
      SCOPED_TRACE(std::string(view) + " " + std::to_string(length));
      Trigger(view);
      SetDesign(Statements(3, std::string(length, 'w')));
      QImage image = WindowImage({4000, 1000});
      QPainter painter(&image);
      QtCanvas canvas(painter);
      First().PrintDiagram(canvas);
      const QRect alone = Ink(image);
      dialogs.AnswerPrintDialog(true);
      Trigger("Drucken2");
      ASSERT_FALSE(printer.jobs.empty());
      const QRect printed = Ink(printer.jobs.back().pages.at(0), 40);
      const double scale =
          std::min(1.0, TestPrinter::Area.w / double(alone.right() + 1 + PrintMargin));
      ASSERT_EQ(scale < 1.0, length == 80) << "only the wide diagram is scaled";
      EXPECT_NEAR(printed.width(), alone.width() * scale, scale < 1 ? 3 : 0);
    }
}

// Every page has the heading line with the page number at its right; in the structogram a
// page that ends between elements ends with a box's full bottom line.
TEST_F(PrintTest, ATallDiagramBreaksBetweenElementsOntoPagesThePreviewShowsAlike) {
  Trigger("Struktogramm1");
  SetDesign(Statements(120));
  dialogs.AnswerPrintDialog(true);
  Trigger("Drucken2");
  Trigger("Druckvorschau1");
  ASSERT_EQ(printer.jobs.size(), 2u);
  EXPECT_FALSE(printer.jobs[0].preview);
  EXPECT_TRUE(printer.jobs[1].preview);
  const std::vector<QImage>& pages = printer.jobs[0].pages;
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(printer.jobs[1].pages, pages);
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_GT(Ink(pages[i], 0, 24).right(), TestPrinter::Area.w - 60) << i;
    const QRect box = Ink(pages[i], 40);
    int inked = 0;
    for (int x = box.left(); x <= box.right(); ++x)
      inked += pages[i].pixelColor(x, box.bottom()) != Qt::white;
    EXPECT_TRUE(i + 1 == pages.size() || inked >= box.width() * 9 / 10) << i << ": " << inked;
  }
}

TEST_F(PrintTest, TheJobIsTitledWithTheActiveWindowsCaption) {
  SetDesign("B(Teil)[A(x)]");
  Click(First(), At({0}));
  Trigger("BlockinneuemFensteranzeigen1");
  dialogs.AnswerPrintDialog(true);
  Trigger("Drucken2");
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.jobs[0].title, "Teil");
}

TEST_F(PrintTest, ACancelledPrintDialogPrintsNothing) {
  dialogs.AnswerPrintDialog(false);
  Trigger("Drucken2");
  EXPECT_TRUE(printer.jobs.empty());
}

// A printer that fails is reported and the program goes on.
struct BrokenPrinter : Printer {
  void Print(const std::string&, PrintDocument&) override {
    throw StreamError("Der Druckauftrag kann nicht begonnen werden");
  }
  void Preview(const std::string&, PrintDocument&) override {}
};

TEST(PrintErrors, AFailingPrinterIsReportedInAnErrorBox) {
  ScriptedDialogs dialogs;
  BrokenPrinter broken;
  MemoryClipboard clipboard;
  TForm2 form(EditorServices{dialogs, broken, clipboard});
  form.show();
  dialogs.AnswerPrintDialog(true);
  form.Item("Drucken2")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
  EXPECT_EQ(dialogs.messages[0].text, "Der Druckauftrag kann nicht begonnen werden");
}

int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  return int(
      QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
}

// A real printer prints the pages the layout gives, in the page range the dialog chose.
TEST(PrintToPdf, APdfHasOnePagePerSliceOfTheDiagramWithinThePageRange) {
  QTemporaryDir folder;
  QtPrinter pdf;
  pdf.printer().setOutputFormat(QPrinter::PdfFormat);
  ScriptedDialogs dialogs;
  MemoryClipboard clipboard;
  TForm2 form(EditorServices{dialogs, pdf, clipboard});
  form.show();
  BlockPtr design = BuildBlock(Statements(150));
  form.RootBlock->Body = design->Body;
  design->Body = nullptr;
  NotifyDesignChanged();
  const auto print = [&](const char* name) {
    pdf.printer().setOutputFileName(folder.filePath(name));
    dialogs.AnswerPrintDialog(true);
    form.Item("Drucken2")->trigger();
    return PdfPages(folder.filePath(name));
  };
  const int pages = print("alle.pdf");
  EXPECT_TRUE(dialogs.messages.empty());
  QImage measure = WindowImage({1, 1});
  QPainter painter(&measure);
  const QRect area = pdf.printer().pageLayout().paintRectPixels(96);
  const int expected =
      DiagramPrint(*form.FirstWindow()).Paginate(painter, {area.width(), area.height()});
  ASSERT_GE(expected, 3);
  EXPECT_EQ(pages, expected);
  pdf.printer().setPrintRange(QPrinter::PageRange);
  pdf.printer().setFromTo(2, 3);
  EXPECT_EQ(print("teil.pdf"), 2);
}

// A page 500 high under a heading 16 high has 460 rows for the diagram; a cut is taken when it
// is the last within the page and fills at least half of it.
TEST(PrintLayoutTest, ScaleAndPageSlicesFollowThePrintableArea) {
  struct {
    const char* name;
    TSize diagram;
    std::vector<int32_t> cuts;
    double scale;
    std::vector<PrintLayout::Slice> pages;
  } const cases[] = {
      {"exactly a page", {600, 460}, {}, 1, {{0, 460}}},
      {"last cut", {300, 1000}, {300, 450, 470, 900}, 1, {{0, 450}, {450, 900}, {900, 1000}}},
      {"cuts too high", {300, 1000}, {10, 600}, 1, {{0, 460}, {460, 920}, {920, 1000}}},
      {"scaled to the width", {1200, 1000}, {}, 0.5, {{0, 920}, {920, 1000}}},
      {"empty", {0, 0}, {}, 1, {{0, 0}}},
  };
  for (const auto& c : cases) {
    const PrintLayout layout({600, 500}, 16, c.diagram, c.cuts);
    EXPECT_DOUBLE_EQ(layout.Scale(), c.scale) << c.name;
    EXPECT_EQ(layout.Pages(), c.pages) << c.name;
  }
}

}  // namespace
}  // namespace editortest

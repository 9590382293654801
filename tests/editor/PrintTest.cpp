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

bool Inked(const QImage& image, int y, int left = 0) {
  for (int x = left; x < image.width(); ++x)
    if (image.pixelColor(x, y) != Qt::white) return true;
  return false;
}

// The first inked row at or below from, or the image's height.
int NextInk(const QImage& image, int from) {
  while (from < image.height() && !Inked(image, from)) ++from;
  return from;
}

int NextBlank(const QImage& image, int from) {
  while (from < image.height() && Inked(image, from)) ++from;
  return from;
}

// The columns from the leftmost to the rightmost inked pixel in rows from top on.
std::pair<int, int> InkColumns(const QImage& image, int top) {
  int left = image.width(), right = -1;
  for (int y = top; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != Qt::white) left = std::min(left, x), right = std::max(right, x);
  return {left, right};
}

bool AnyRed(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) return true;
    }
  return false;
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
    const int headingTop = NextInk(page, 0);
    const int headingBottom = NextBlank(page, headingTop);
    EXPECT_LT(headingTop, 8);
    EXPECT_LE(headingBottom, 24);
    EXPECT_GE(NextInk(page, headingBottom) - headingBottom, PrintLayout::HeadingGap);
    EXPECT_LT(NextInk(page, headingBottom), page.height());
    EXPECT_FALSE(AnyRed(page));
    EXPECT_EQ(First().Options->Spacing, 6);
    EXPECT_EQ(First().Options->Printing, 0);
    EXPECT_EQ(First().Options->OnScreen, 1);
  }
}

// At 96 pixels per inch the printed diagram is as wide as the window draws it; a wider one is
// scaled down to the printable width.
TEST_F(PrintTest, TheDiagramKeepsItsWindowWidthUnlessItIsWiderThanThePage) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"})
    for (int length : {1, 30}) {
      SCOPED_TRACE(std::string(view) + " " + std::to_string(length));
      Trigger(view);
      SetDesign(Statements(3, std::string(length, 'w')));
      QImage alone = WindowImage({4000, 1000});
      {
        QPainter painter(&alone);
        QtCanvas canvas(painter);
        First().PrintDiagram(canvas);
      }
      const auto [left, right] = InkColumns(alone, 0);
      printer.jobs.clear();
      dialogs.AnswerPrintDialog(true);
      Trigger("Drucken2");
      ASSERT_EQ(printer.jobs.size(), 1u);
      const QImage& page = printer.jobs[0].pages.at(0);
      const auto [pageLeft, pageRight] = InkColumns(page, 40);
      const int width = right - left, pageWidth = pageRight - pageLeft;
      if (right + 1 + PrintMargin <= TestPrinter::Area.w) {
        EXPECT_EQ(pageWidth, width);
      } else {
        EXPECT_LT(pageRight, TestPrinter::Area.w);
        EXPECT_NEAR(pageWidth, width * TestPrinter::Area.w / double(right + 1 + PrintMargin), 3);
      }
    }
}

TEST_F(PrintTest, ATallDiagramContinuesOnFurtherPagesAndThePreviewShowsTheSame) {
  SetDesign(Statements(120));
  dialogs.AnswerPrintDialog(true);
  Trigger("Drucken2");
  Trigger("Druckvorschau1");
  ASSERT_EQ(printer.jobs.size(), 2u);
  EXPECT_FALSE(printer.jobs[0].preview);
  EXPECT_TRUE(printer.jobs[1].preview);
  ASSERT_GE(printer.jobs[0].pages.size(), 3u);
  ASSERT_EQ(printer.jobs[1].pages.size(), printer.jobs[0].pages.size());
  for (size_t i = 0; i < printer.jobs[0].pages.size(); ++i) {
    EXPECT_EQ(printer.jobs[1].pages[i], printer.jobs[0].pages[i]);
    // Each page has its heading line with the caption and the page number.
    const QImage& page = printer.jobs[0].pages[i];
    EXPECT_TRUE(Inked(page, NextInk(page, 0), TestPrinter::Area.w - 60));
    EXPECT_LT(NextInk(page, 0), 8);
  }
}

// In the structogram a page that ends between elements ends with a box's full bottom line.
TEST_F(PrintTest, PagesBreakBetweenElements) {
  Trigger("Struktogramm1");
  SetDesign(Statements(120));
  dialogs.AnswerPrintDialog(true);
  Trigger("Drucken2");
  ASSERT_EQ(printer.jobs.size(), 1u);
  const std::vector<QImage>& pages = printer.jobs[0].pages;
  ASSERT_GE(pages.size(), 2u);
  for (size_t i = 0; i + 1 < pages.size(); ++i) {
    SCOPED_TRACE(i);
    const QImage& page = pages[i];
    int last = page.height() - 1;
    while (last > 0 && !Inked(page, last)) --last;
    const auto [left, right] = InkColumns(page, 40);
    int inked = 0;
    for (int x = left; x <= right; ++x) inked += page.pixelColor(x, last) != Qt::white;
    EXPECT_GE(inked, (right - left) * 9 / 10);
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
  const QString text = QString::fromLatin1(file.readAll());
  return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
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

  pdf.printer().setOutputFileName(folder.filePath("alle.pdf"));
  dialogs.AnswerPrintDialog(true);
  form.Item("Drucken2")->trigger();
  EXPECT_TRUE(dialogs.messages.empty());
  DiagramPrint document(*form.FirstWindow());
  QImage measure = WindowImage({1, 1});
  QPainter painter(&measure);
  const QRect area = pdf.printer().pageLayout().paintRectPixels(96);
  const int expected = document.Paginate(painter, {area.width(), area.height()});
  ASSERT_GE(expected, 3);
  EXPECT_EQ(PdfPages(folder.filePath("alle.pdf")), expected);

  pdf.printer().setOutputFileName(folder.filePath("teil.pdf"));
  pdf.printer().setPrintRange(QPrinter::PageRange);
  pdf.printer().setFromTo(2, 3);
  dialogs.AnswerPrintDialog(true);
  form.Item("Drucken2")->trigger();
  EXPECT_EQ(PdfPages(folder.filePath("teil.pdf")), 2);
}

using Slice = PrintLayout::Slice;

TEST(PrintLayoutTest, ScaleAndPageSlicesFollowThePrintableArea) {
  struct Case {
    const char* name;
    TSize area;
    TSize diagram;
    std::vector<int32_t> cuts;
    double scale;
    std::vector<Slice> pages;
  };
  // Heading 16 high: the diagram starts at 40 and has 460 rows of a 500 high page.
  const Case cases[] = {
      {"fits", {600, 500}, {300, 200}, {}, 1.0, {{0, 200}}},
      {"exactly one page", {600, 500}, {600, 460}, {}, 1.0, {{0, 460}}},
      {"cut at the foot", {600, 500}, {300, 1000}, {}, 1.0, {{0, 460}, {460, 920}, {920, 1000}}},
      {"cut between elements",
       {600, 500},
       {300, 1000},
       {100, 300, 450, 470, 900},
       1.0,
       {{0, 450}, {450, 900}, {900, 1000}}},
      {"no cut in the page's lower half",
       {600, 500},
       {300, 1000},
       {10, 600},
       1.0,
       {{0, 460}, {460, 920}, {920, 1000}}},
      {"scaled to the width", {600, 500}, {1200, 1000}, {}, 0.5, {{0, 920}, {920, 1000}}},
      {"empty", {600, 500}, {0, 0}, {}, 1.0, {{0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PrintLayout layout(c.area, 16, c.diagram, c.cuts);
    EXPECT_EQ(layout.DiagramTop(), 16 + PrintLayout::HeadingGap);
    EXPECT_DOUBLE_EQ(layout.Scale(), c.scale);
    EXPECT_EQ(layout.Pages(), c.pages);
  }
}

}  // namespace
}  // namespace editortest

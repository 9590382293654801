// "Drucken": the active window's diagram on one page, under its caption.
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPrinter.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using PrintTest = EditorTest;

TEST_F(PrintTest, PrintsTheHeadingAndTheDiagramBelowItThenRestoresTheScreenSettings) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("A(erste Anweisung) I(c)[A(ja)|A(nein)]");
    printer.jobs.clear();
    dialogs.AnswerPrintDialog(true);
    Trigger("Drucken2");
    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs[0];
    EXPECT_EQ(job.title, "gesamtes Programm");
    const TestCanvas::Op* heading = job.canvas.FindText("gesamtes Programm");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->points[0], (TPoint{10, 10}));
    EXPECT_EQ(job.canvas.Font.Name, "Times New Roman");
    EXPECT_EQ(job.canvas.Font.PointSize, 12);
    // The diagram's topmost row is the origin's, 80; the flowchart's start symbol lies above.
    int top = INT32_MAX;
    for (const auto& op : job.canvas.ops)
      if (&op != heading && op.kind != TestCanvas::Kind::Ellipse)
        for (const TPoint& p : op.points) top = std::min(top, p.y);
    EXPECT_EQ(top, std::string(view) == "Flussdiagramm1" ? 80 - 4 : 80);
    EXPECT_FALSE(job.canvas.AnyRed());
    EXPECT_EQ(First().Options->Spacing, 6);
    EXPECT_EQ(First().Options->Printing, 0);
    EXPECT_EQ(First().Options->OnScreen, 1);
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
  EXPECT_NE(printer.jobs[0].canvas.FindText("x"), nullptr);
}

TEST_F(PrintTest, ACancelledPrintDialogPrintsNothing) {
  dialogs.AnswerPrintDialog(false);
  Trigger("Drucken2");
  EXPECT_TRUE(printer.jobs.empty());
}

// A printer that fails is reported and the program goes on.
struct BrokenPrinter : Printer {
  void Print(const std::string&, const std::function<void(Canvas&)>&) override {
    throw StreamError("Der Druckauftrag kann nicht begonnen werden");
  }
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

// The whole printed flowchart lies on the page: its origin is measured with the printer's
// font, so its left edge is 30 printer pixels from the page's edge.
TEST(PrintToPdf, TheFlowchartLiesOnThePageOfARealPrinter) {
  QTemporaryDir folder;
  const QString path = folder.filePath("druck.pdf");
  QtPrinter pdf;
  pdf.printer().setOutputFormat(QPrinter::PdfFormat);
  pdf.printer().setOutputFileName(path);
  pdf.printer().setResolution(150);
  ScriptedDialogs dialogs;
  MemoryClipboard clipboard;
  TForm2 form(EditorServices{dialogs, pdf, clipboard});
  form.show();
  BlockPtr design = BuildBlock("A(eine Anweisung mit einem recht langen Text) I(c)[A(ja)|A(nein)]");
  form.RootBlock->Body = design->Body;
  design->Body = nullptr;
  NotifyDesignChanged();
  dialogs.AnswerPrintDialog(true);
  form.Item("Drucken2")->trigger();
  EXPECT_TRUE(dialogs.messages.empty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

  // The same page drawn on an image of the printer's resolution with room to its left:
  // nothing lies left of the page's edge.
  constexpr int Room = 200;
  const QSize size = pdf.printer().pageLayout().paintRectPixels(pdf.printer().resolution()).size();
  QImage page(size + QSize(Room, 0), QImage::Format_RGB32);
  page.setDotsPerMeterX(qRound(pdf.printer().resolution() / 0.0254));
  page.setDotsPerMeterY(qRound(pdf.printer().resolution() / 0.0254));
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    painter.translate(Room, 0);
    QtCanvas canvas(painter);
    form.FirstWindow()->PrintStruktogramm(canvas);
  }
  int left = page.width();
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < left; ++x)
      if (page.pixelColor(x, y) != Qt::white) left = x;
  EXPECT_GE(left - Room, 0) << "part of the diagram lies left of the page";
  EXPECT_LE(left - Room, 40);
}

}  // namespace
}  // namespace editortest

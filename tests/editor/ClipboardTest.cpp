// Copying the design to the application's clipboard as program text and building a design
// from the clipboard's text.
#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "tests/editor/EditorTestSupport.h"
#include "tests/support/WorkedExample.h"

namespace editortest {
namespace {

using ClipboardTest = RealClipboardTest;

// The exported text with two more blanks before every line that is not empty.
std::string IndentedTwoBlanksDeeper(const std::string& text) {
  std::string result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    result += (line.empty() ? "" : "  ") + line + "\r\n";
    start = end + 2;
  }
  return result;
}

std::string ClipboardUtf8() { return QGuiApplication::clipboard()->text().toStdString(); }

TEST_F(ClipboardTest, CopyPutsTheProgramTextTwoBlanksDeeperOnTheClipboardAsUnicode) {
  SetDesign(
      "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)] W(y < 10)[A(y := y + 1)] "
      "D(y > 0)[A(y := y - 1)] F(i von 1 bis 10)[A(s := s + i)] B(Ausgabe)[A(write(s))] "
      "A(gr\xf6\xdf\x65 \x80)");
  Trigger("InZwischenablage1");
  EXPECT_EQ(ClipboardUtf8(),
            IndentedTwoBlanksDeeper(WorkedExampleText) + "    größe €;\r\n");
  EXPECT_EQ(form->UndoStates.Count(), 0);
  EXPECT_EQ(Design().substr(0, 9), "A(x := 1)");
}

TEST_F(ClipboardTest, PastingWhatWasCopiedGivesTheDesignBackUnderAnEmptyTitle) {
  const std::string comesBack =
      "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)] I(c)[A(j)|] I(leer)[|A(n)] "
      "W(y < 10)[A(y := y + 1)] D(y > 0)[A(y := y - 1)] A(gr\xf6\xdf\x65 \x80)";
  SetDesign("A(weg) " + comesBack + " B(b)[A(z)]");
  Root().SetText("Kasse");
  // An edit in the history and a second window, so that the paste has both to undo.
  Click(First(), At({0}));
  Key(First(), Qt::Key_Delete);
  Click(First(), At({7}));
  First().InneuemFensteranzeigen();
  Trigger("InZwischenablage1");
  Trigger("AusZwischenablageeinfgen1");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // A named block's comment lines run into the statement that follows them.
  EXPECT_EQ(Design(), comesBack + " A(// b z) A(// Ende b)");
  EXPECT_EQ(Root().Text, "");
  EXPECT_EQ(Root().Movable, 0);
  EXPECT_EQ(Root().Braced, 0);
  EXPECT_EQ(form->UndoStates.Count(), 2) << "the deletion and the design the paste replaced";
  ASSERT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardTest, PastingReplacesTheWholeDesignWithTextFromElsewhere) {
  SetDesign("A(a) B(b)[A(c)]");
  Click(First(), At({1}));
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8("x := 1 → 2;\r\n\tIF (x) { y := 'ä  ö'; }"));
  Trigger("AusZwischenablageeinfgen1");
  EXPECT_EQ(Design(), "A(x := 1 ? 2) I(x)[A(y := '\xe4  \xf6')|]")
      << "characters Windows-1252 lacks become \"?\"";
  EXPECT_EQ(First().Options->SelectionCount(), 0);
}

TEST_F(ClipboardTest, AnEmptyOrNonTextClipboardGivesAnEmptyDesign) {
  const std::vector<std::pair<const char*, std::function<void()>>> clipboards = {
      {"cleared", [] { QGuiApplication::clipboard()->clear(); }},
      {"empty text", [] { QGuiApplication::clipboard()->setText(""); }},
      {"blanks and line ends", [] { QGuiApplication::clipboard()->setText(" \r\n\t \n"); }},
      {"a picture",
       [] {
         QImage picture(4, 4, QImage::Format_RGB32);
         picture.fill(Qt::red);
         QGuiApplication::clipboard()->setImage(picture);
       }},
      {"data of another program",
       [] {
         auto* data = new QMimeData;
         data->setData("application/x-anderes-programm", "x := 1;");
         QGuiApplication::clipboard()->setMimeData(data);
       }},
  };
  for (const auto& [what, fill] : clipboards) {
    SCOPED_TRACE(what);
    SetDesign("A(weg) A(x)");
    Root().SetText("Kasse");
    Click(First(), At({0}));
    Key(First(), Qt::Key_Delete);
    ASSERT_EQ(form->UndoStates.Count(), 1);
    fill();
    Trigger("AusZwischenablageeinfgen1");
    EXPECT_EQ(Root().Body, nullptr);
    EXPECT_EQ(Root().Text, "");
    EXPECT_EQ(form->UndoStates.Count(), 2);
    EXPECT_EQ(First().ShownBlock, &Root());
    Trigger("Rckgngig1");
    EXPECT_EQ(Design(), "A(x)") << "the design the paste replaced";
    form->UndoStates.ClearUndoStates();
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

// Far beyond the twenty thousand characters of a fixed text buffer, with texts longer than a
// line buffer too: every character arrives.
TEST_F(ClipboardTest, LongDesignsExportCopyAndPasteWhole) {
  QTemporaryDir folder;
  std::string design;
  std::string exported;
  for (int i = 0; i < 3000; ++i) {
    const std::string text = "Anweisung Nummer " + std::to_string(i) + " mit etwas Text";
    design += "A(" + text + ") ";
    exported += "  " + text + ";\r\n";
  }
  const std::string longText(5000, 'x');
  design += "A(" + longText + ")";
  exported += "  " + longText + ";\r\n";
  ASSERT_GT(exported.size(), 100000u);
  SetDesign(design);
  const std::string path = folder.filePath("lang.pas").toStdString();
  dialogs.ChooseFile(path);
  Trigger("Exportieren1");
  std::ostringstream file;
  file << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(file.str(), exported);

  Trigger("InZwischenablage1");
  EXPECT_EQ(ClipboardUtf8(), IndentedTwoBlanksDeeper(exported));
  SetDesign("");
  Trigger("AusZwischenablageeinfgen1");
  EXPECT_EQ(Design(), design);
}

// The main menu's short cuts reach the commands while a diagram window has the focus;
// Ctrl+Insert pastes and inserts nothing.
TEST_F(ClipboardTest, ShortCutsCopyAndPasteFromADiagramWindow) {
  SetDesign("A(x := 1)");
  Key(First(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardUtf8(), "    x := 1;\r\n");
  QGuiApplication::clipboard()->setText("a; b;");
  Key(First(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(Design(), "A(a) A(b)");
  EXPECT_TRUE(dialogs.inputCalls.empty());
}

}  // namespace
}  // namespace editortest

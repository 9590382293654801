// "Als Bild speichern …" and "Als Bild kopieren": name, format and bytes beside the command
// line's, the message for a picture too large, and the clipboard's two formats.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fstream>

#include "tests/editor/EditorTestSupport.h"
#include "tests/editor/PictureTestSupport.h"

namespace editortest {
namespace {

constexpr const char* SampleDesign =
    "A(x := 1) I(x > 0)[A(y := 2)|] W(y < 10)[A(y := y + 1)] D(d)[A(e)]";

// The bytes compared of a picture: all, but of a PDF, whose rest carries dates, the page size.
std::string Compared(const std::string& bytes) {
  if (!bytes.starts_with("%PDF-")) return bytes;
  const QString text = QString::fromLatin1(bytes);
  return QRegularExpression(R"(/MediaBox \[([^\]]*)\])").match(text).captured(1).toStdString();
}

class PictureCommandsTest : public EditorTest {
 protected:
  QTemporaryDir folder;
  std::string Path(const std::string& name) const {
    return folder.filePath(QString::fromStdString(name)).toStdString();
  }
};

// A known extension typed wins over the filter; any other name gets the filter's. The file
// holds what the command line writes for the view shown.
TEST_F(PictureCommandsTest, SavesTheFormatTheFilterChoosesAsTheCommandLineDrawsIt) {
  struct {
    int filter;
    const char *typed, *saved, *extension;
    bool flowchart;
  } const cases[] = {{0, "bild", "bild.png", "png", false},
                     {1, "Bild.SVG", "Bild.SVG", "svg", true},
                     {0, "bild.svg", "bild.svg", "svg", false},
                     {2, "Tafel.png", "Tafel.png", "png", true},
                     {2, "a.b", "a.b.pdf", "pdf", true}};
  SetDesign(SampleDesign);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Trigger(c.flowchart ? "Flussdiagramm1" : "Struktogramm1");
    dialogs.ChooseFile(Path(c.typed), c.filter);
    Trigger("AlsBildspeichern1");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "one file is written";
    EXPECT_EQ(Compared(ReadBytes(Path(c.saved))),
              Compared(CommandLinePicture(Root(), c.extension, c.flowchart)));
    QFile::remove(QString::fromStdString(Path(c.saved)));
  }
  EXPECT_EQ(dialogs.fileDialogs.back().Filter,
            "PNG-Bild (*.png)|*.png|SVG-Grafik (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf");
  EXPECT_EQ(dialogs.fileDialogs.back().Kind, FileDialogKind::Save);
  EXPECT_TRUE(dialogs.messages.empty());
  // The dialog offers the last name and format again; cancelled, it writes nothing.
  EXPECT_EQ(form->PictureDialog1.FilterIndex, 2);
  EXPECT_EQ(form->PictureDialog1.FileName, Path("a.b.pdf"));
  dialogs.CancelFileDialog();
  Trigger("AlsBildspeichern1");
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PictureCommandsTest, TooLargeAPictureIsReportedAndTheFileKept) {
  SetDesign("A(" + std::string(6000, 'W') + ")");
  std::ofstream(Path("alt.png"), std::ios::binary) << "alt";
  dialogs.ChooseFile(Path("alt.png"), 0);
  dialogs.AnswerReplace(true);
  Trigger("AlsBildspeichern1");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
  // The command line's way out, a smaller scale, is no advice in the editor.
  EXPECT_TRUE(dialogs.messages[0].text.starts_with("Das Bild wäre ")) << dialogs.messages[0].text;
  EXPECT_EQ(dialogs.messages[0].text.find("--scale"), std::string::npos);
  EXPECT_EQ(ReadBytes(Path("alt.png")), "alt");
}

using PictureClipboardTest = RealClipboardTest;

TEST_F(PictureClipboardTest, CopiesPngAndSvgOfTheShownBlock) {
  SetDesign(SampleDesign);
  for (const bool flowchart : {false, true}) {
    Trigger(flowchart ? "Flussdiagramm1" : "Struktogramm1");
    Trigger("AlsBildkopieren1");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data("image/png").toStdString(), CommandLinePicture(Root(), "png", flowchart));
    EXPECT_EQ(data->data("image/svg+xml").toStdString(),
              CommandLinePicture(Root(), "svg", flowchart));
  }
}

}  // namespace
}  // namespace editortest

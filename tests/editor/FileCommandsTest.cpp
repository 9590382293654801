// "Neu", loading, saving and exporting: the design that results, the history and the windows
// after each, the dialogs' settings, the bytes written, and what a failure leaves behind.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "model/Records.h"
#include "shell/Conversions.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/WorkedExample.h"

namespace editortest {
namespace {

constexpr const char* DesignFilter = "Struktogramme (*.str)|*.str|Alle Dateien|*.*";
constexpr const char* TextFilter = "Quellcode (*.pas)|*.pas|Alle Dateien|*.*";

// One element of every kind, texts with characters beyond ASCII included.
constexpr const char* EveryKind =
    "A(x := 1) I(x > 0)[A(y := 2)|] I(c)[|A(n)] W(y < 10)[A(y := y + 1)] D(d)[A(e)] "
    "R(r)[A(f)] F(i von 1 bis 10)[A(s := s + i)] F(??" "?)[] B(Ausgabe)[A(write(s)) B()[]] "
    "A(gr\xf6\xdf\x65 \x80)";

std::string Statements(int count) {
  std::string design;
  for (int i = 0; i < count; ++i)
    design += "A(Anweisung mit einem langen Text " + std::to_string(i) + ") ";
  return design;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class FileCommandsTest : public EditorTest {
 protected:
  QTemporaryDir folder;

  std::string Path(const std::string& name) const {
    return folder.filePath(QString::fromStdString(name)).toStdString();
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(Path(name), bytes);
    return Path(name);
  }
  // The names in the folder, hidden ones included, sorted.
  std::string FolderListing() const {
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(' ')
        .toStdString();
  }

  // Every part of the editor's state that a command which fails or is cancelled must leave
  // as it was, as text: the design and its root object, the history, and each window with
  // what it shows, its selection, collapsed blocks, scroll offsets and caption.
  std::string State() {
    std::ostringstream out;
    out << "root " << form->RootBlock.get() << " \"" << Root().Text << "\" " << Design() << "\n";
    out << "history " << form->UndoStates.Count() << " at " << form->UndoStates.UndoPosition();
    for (int32_t i = 1; i <= form->UndoStates.Count(); ++i)
      out << " {" << RenderBody(*form->UndoStates.StateCopy(i)) << "}";
    out << "\n";
    for (TForm1* window : form->DiagramWindows()) {
      out << "window " << window << " shows " << window->ShownBlock << " \""
          << window->Caption() << "\" selected";
      for (TElement* e : window->Options->Selection) out << " " << e;
      out << " collapsed";
      for (TElement* e : window->Options->Collapsed) out << " " << e;
      const QPoint scroll = window->ScrollOffsets();
      out << " scrolled " << scroll.x() << "," << scroll.y()
          << (window->isMinimized() ? " minimised" : "") << "\n";
    }
    return out.str();
  }

  // A design larger than the window, an edit in the history, a second window on a block with
  // its own selection, a collapsed block and a selection in the first window, which is
  // scrolled.
  void MakeBusy() {
    SetDesign("A(weg) " + Statements(30) + " B(Teil)[A(y) A(z)] B(zu)[A(q)] I(c)[A(j)|A(n)]");
    Root().SetText("Kasse");
    form->UpdateCaptions();
    Click(First(), At({0}));
    Key(First(), Qt::Key_Delete);
    ASSERT_EQ(form->UndoStates.Count(), 1);
    Click(First(), At({30}));
    TForm1* part = First().InneuemFensteranzeigen();
    ASSERT_TRUE(part);
    Click(*part, At({30, 1, 1}));
    First().ChangeMinimize(static_cast<TBlock*>(At({31})));
    Click(First(), At({32}));
    First().SetScrollOffsets({0, 120});
    ASSERT_EQ(First().ScrollOffsets(), QPoint(0, 120));
    ASSERT_EQ(form->DiagramWindows().size(), 2u);
  }

  void ExpectOneError(const std::string& text) {
    ASSERT_EQ(dialogs.messages.size(), 1u) << text;
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].text, text);
    dialogs.messages.clear();
  }

  void Load(const std::string& path) {
    dialogs.ChooseFile(path);
    Trigger("Struktogrammladen1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Save(const std::string& path) {
    dialogs.ChooseFile(path);
    Trigger("Struktogrammspeichern1");
  }
  void Export(const std::string& path) {
    dialogs.ChooseFile(path);
    Trigger("Exportieren1");
  }

  // Paints every window, the minimised first window too: nothing may be drawn from a
  // discarded design.
  void PaintEveryWindow() {
    for (TForm1* window : form->DiagramWindows()) {
      window->showNormal();
      window->Repaint();
    }
    form->RefreshAll();
  }
};

TEST_F(FileCommandsTest, SavingThenLoadingGivesTheSameDesignInTheFirstWindowAlone) {
  SetDesign(std::string("A(weg) ") + EveryKind + " A(" + std::string(300, 'L') + ")");
  Root().SetText("Kasse");
  Click(First(), At({0}));
  Key(First(), Qt::Key_Delete);
  const std::string saved = Design();
  Save(Path("kasse.str"));
  ASSERT_TRUE(dialogs.messages.empty());

  Click(First(), At({9}));
  First().InneuemFensteranzeigen();
  Click(First(), At({0}));
  Key(First(), Qt::Key_Delete);
  const std::string beforeLoad = Design();
  ASSERT_NE(beforeLoad, saved);
  Load(Path("kasse.str"));

  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Design(), saved);
  EXPECT_EQ(Root().Text, "Kasse");
  EXPECT_EQ(Root().Movable, 0);
  EXPECT_EQ(Root().Braced, 0);
  EXPECT_EQ(form->UndoStates.Count(), 3) << "two deletions and the design the load replaced";
  EXPECT_EQ(form->UndoStates.UndoPosition(), 0);
  ASSERT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(First().Options->SelectionCount(), 0);
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), beforeLoad) << "the load is taken back";

  ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs.fileDialogs[0].Kind, FileDialogKind::Save);
  EXPECT_EQ(dialogs.fileDialogs[0].Filter, DesignFilter);
  EXPECT_EQ(dialogs.fileDialogs[0].DefaultExt, "str");
  EXPECT_EQ(dialogs.fileDialogs[1].Kind, FileDialogKind::Open);
  EXPECT_EQ(dialogs.fileDialogs[1].Filter, DesignFilter);
  EXPECT_EQ(dialogs.fileDialogs[1].DefaultExt, "");
}

TEST_F(FileCommandsTest, NeuLeavesOnlyTheFirstWindowOnAnEmptyDesignThatCanBeTakenBack) {
  SetDesign("B(a)[B(b)[A(y)]] A(x)");
  Root().SetText("Kasse");
  Click(First(), At({0}));
  QPointer<TForm1> a = First().InneuemFensteranzeigen();
  Click(*a, At({0, 1, 0}));
  QPointer<TForm1> b = a->InneuemFensteranzeigen();
  Key(*b, Qt::Key_Down);
  Key(*b, Qt::Key_Delete);
  ASSERT_EQ(form->UndoStates.Count(), 1);
  ASSERT_EQ(form->DiagramWindows().back(), &First());

  Trigger("Neu1");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(a.isNull());
  EXPECT_TRUE(b.isNull());
  ASSERT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(Root().Text, "gesamtes Programm");
  EXPECT_EQ(Root().Body, nullptr);
  EXPECT_EQ(Root().Movable, 0);
  EXPECT_EQ(Root().Braced, 0);
  EXPECT_EQ(form->UndoStates.Count(), 2);

  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "B(a)[B(b)[]] A(x)");
  EXPECT_EQ(Root().Text, "Kasse");
  EXPECT_EQ(form->DiagramWindows().size(), 1u);
}

TEST_F(FileCommandsTest, ExportWritesTheProgramTextWithCrLfInWindows1252) {
  SetDesign(
      "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)] W(y < 10)[A(y := y + 1)] "
      "D(y > 0)[A(y := y - 1)] F(i von 1 bis 10)[A(s := s + i)] B(Ausgabe)[A(write(s))] "
      "A(gr\xf6\xdf\x65 \x80)");
  WriteBytes(Path("kasse.pas"), "alter Inhalt, viel länger als nichts");
  dialogs.AnswerReplace(true);
  Export(Path("kasse.pas"));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(ReadBytes(Path("kasse.pas")),
            std::string(WorkedExampleText) + "  gr\xf6\xdf\x65 \x80;\r\n");
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs.fileDialogs[0].Kind, FileDialogKind::Save);
  EXPECT_EQ(dialogs.fileDialogs[0].Filter, TextFilter);
  EXPECT_EQ(dialogs.fileDialogs[0].DefaultExt, "pas");
}

TEST_F(FileCommandsTest, ExportOfAnEmptyDesignWritesAnEmptyFile) {
  WriteBytes(Path("leer.pas"), "alt");
  dialogs.AnswerReplace(true);
  Export(Path("leer.pas"));
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(Path("leer.pas"))));
  EXPECT_EQ(ReadBytes(Path("leer.pas")), "");
  EXPECT_EQ(FolderListing(), "leer.pas");
}

TEST_F(FileCommandsTest, TheSaveDialogProposesTheNameLastChosenWithTheCommandsExtension) {
  Save(Path("a.str"));
  Export(Path("b.pas"));
  Save(Path("c.str"));
  dialogs.CancelFileDialog();
  Trigger("Exportieren1");
  Save(Path("d.str"));
  Load(Path("d.str"));
  Load(Path("a.str"));
  ASSERT_EQ(dialogs.fileDialogs.size(), 7u);
  EXPECT_EQ(dialogs.fileDialogs[0].FileName, "");
  EXPECT_EQ(dialogs.fileDialogs[1].FileName, Path("a.pas"));
  EXPECT_EQ(dialogs.fileDialogs[2].FileName, Path("b.str"));
  EXPECT_EQ(dialogs.fileDialogs[3].FileName, Path("c.pas"));
  EXPECT_EQ(dialogs.fileDialogs[4].FileName, Path("c.str")) << "a cancelled dialog keeps it";
  EXPECT_EQ(dialogs.fileDialogs[5].FileName, "") << "the open dialog is a dialog of its own";
  EXPECT_EQ(dialogs.fileDialogs[6].FileName, Path("d.str"));
  EXPECT_EQ(FolderListing(), "a.str b.pas c.str d.str");
}

// Each command proposes the last name with its own extension; choosing an existing file asks,
// and "no" returns to the dialog and replaces nothing.
TEST_F(FileCommandsTest, ExportAfterSavingProposesTheTextsNameAndAsksBeforeReplacing) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("ordner.v2"));
  SetDesign("A(x := 1)");
  for (const auto& [saved, proposed] : {std::pair{"ordner.v2/kasse", "ordner.v2/kasse.pas"},
                                        std::pair{"kasse.alt.str", "kasse.alt.pas"}}) {
    Save(Path(saved));
    dialogs.CancelFileDialog();
    Trigger("Exportieren1");
    EXPECT_EQ(dialogs.fileDialogs.back().FileName, Path(proposed));
  }
  const std::string design = ReadBytes(Path("kasse.alt.str"));
  dialogs.ChooseFile(Path("kasse.alt.str"));
  dialogs.AnswerReplace(false);
  Export(Path("kasse.pas"));
  EXPECT_EQ(dialogs.replaceQuestions, std::vector<std::string>{Path("kasse.alt.str")});
  EXPECT_EQ(ReadBytes(Path("kasse.alt.str")), design) << "the design's file is kept as it was";
  EXPECT_EQ(ReadBytes(Path("kasse.pas")), ExportProgramText(Root()));
}

// A design replaced whole is the newest undo state; the first window stays, shown, activated
// and captioned anew, every other window closes.
TEST_F(FileCommandsTest, ReplacingKeepsTheFirstWindowAndRueckgaengigBringsTheTreeBack) {
  const std::string file = Write("anders.str", SaveDesignBytes(*BuildBlock("A(anders)", "B")));
  clipboard.text = "p;";
  for (const char* command : {"Neu1", "Struktogrammladen1", "AusZwischenablageeinfgen1"}) {
    SCOPED_TRACE(command);
    form->UndoStates.ClearUndoStates();
    MakeBusy();
    First().close();
    ASSERT_NE(form->DiagramWindows().back(), &First()) << "another was activated longer ago";
    const std::string bytes = SaveDesignBytes(Root());
    const TBlock* root = &Root();
    if (std::string(command) == "Struktogrammladen1") dialogs.ChooseFile(file);
    Trigger(command);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
    EXPECT_FALSE(First().isMinimized());
    EXPECT_EQ(form->ActiveWindow(), &First());
    EXPECT_EQ(First().Caption(), Root().Text);
    EXPECT_EQ(States(), 2);

    Trigger("Rckgngig1");
    EXPECT_EQ(&Root(), root) << "the tree itself comes back";
    EXPECT_EQ(SaveDesignBytes(Root()), bytes);
    EXPECT_EQ(First().Caption(), "Kasse");
    PaintEveryWindow();
    Trigger("Rckgngig1");
    EXPECT_EQ(Design().substr(0, 6), "A(weg)") << "the edit before is still there";
  }
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  MakeBusy();
  const std::string before = State();
  for (const char* command : {"Struktogrammladen1", "Struktogrammspeichern1", "Exportieren1"}) {
    SCOPED_TRACE(command);
    dialogs.CancelFileDialog();
    Trigger(command);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(State(), before);
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(FolderListing(), "");
}

TEST_F(FileCommandsTest, AFailingLoadKeepsEverythingAndSaysWhy) {
  std::string cutInText = SaveDesignBytes(*BuildBlock("A(eine Anweisung) A(noch eine)", "K"));
  cutInText.resize(cutInText.size() - 8);
  std::string tooDeep;
  for (int i = 0; i <= MaxNestingDepth + 1; ++i) tooDeep += std::string("B:\x01", 3);
  ASSERT_EQ(mkfifo(Path("rohr").c_str(), 0600), 0);
  const std::string notAFile = " ist keine gewöhnliche Datei und kann nicht gelesen werden";
  const struct {
    const char* what;
    std::string path;
    std::string message;
  } cases[] = {
      {"missing", Path("fehlt.str"), "Datei " + Path("fehlt.str") + " kann nicht geöffnet werden"},
      {"a folder", folder.path().toStdString(),
       "Datei " + folder.path().toStdString() + " kann nicht geöffnet werden"},
      {"a device without end", "/dev/zero", "/dev/zero" + notAFile},
      {"a named pipe without writer", Path("rohr"), Path("rohr") + notAFile},
      {"damaged", Write("kaputt.str", "B:Kasse ohne Ende"), "Stream-Lesefehler"},
      {"empty", Write("leer.str", ""), "Stream-Lesefehler"},
      {"cut inside a text", Write("halb.str", cutInText), "Stream-Lesefehler"},
      {"too deep", Write("tief.str", tooDeep), TooDeepMessage},
  };
  MakeBusy();
  const std::string before = State();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.path);
    ExpectOneError(c.message);
    EXPECT_EQ(State(), before);
  }
  PaintEveryWindow();
  Trigger("Rckgngig1");
  EXPECT_EQ(Design().substr(0, 6), "A(weg)") << "the history still works";
}

TEST_F(FileCommandsTest, AFailingSaveOrExportKeepsTheOldFileAndTheDesign) {
  WriteBytes(Path("liste"), "eine Datei, kein Ordner");
  MakeBusy();
  const std::string before = State();
  for (const char* command : {"Struktogrammspeichern1", "Exportieren1"}) {
    SCOPED_TRACE(command);
    for (const std::string& target : {folder.path().toStdString(), Path("liste/kasse.str")}) {
      SCOPED_TRACE(target);
      dialogs.ChooseFile(target);
      Trigger(command);
      ExpectOneError("Datei " + target + " kann nicht erstellt werden");
      EXPECT_EQ(State(), before);
    }
  }
  EXPECT_EQ(FolderListing(), "liste");
  EXPECT_EQ(ReadBytes(Path("liste")), "eine Datei, kein Ordner");
}

// A file may grow no larger than the process's limit: writing stops part way, for every
// user, and the file that was there must come through unchanged.
TEST_F(FileCommandsTest, AWriteFailingPartWayKeepsTheOldFileByteForByte) {
  const std::string old = "B:alt\x01\x02\x02";
  for (const char* command : {"Struktogrammspeichern1", "Exportieren1"}) {
    SCOPED_TRACE(command);
    SetDesign(Statements(400));
    const std::string before = State();
    WriteBytes(Path("kasse"), old);
    dialogs.ChooseFile(Path("kasse"));
    dialogs.AnswerReplace(true);
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Trigger(command);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    ExpectOneError("Stream-Schreibfehler");
    EXPECT_EQ(ReadBytes(Path("kasse")), old);
    EXPECT_EQ(FolderListing(), "kasse") << "no partial file is left behind";
    EXPECT_EQ(State(), before);
  }
}

TEST_F(FileCommandsTest, SavingIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  WriteBytes(Path("kasse.str"), "alt");
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (access(folder.path().toLocal8Bit().constData(), W_OK) == 0) {
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  SetDesign("A(neu)");
  for (const char* command : {"Struktogrammspeichern1", "Exportieren1"}) {
    dialogs.ChooseFile(Path("kasse.str"));
    dialogs.AnswerReplace(true);
    Trigger(command);
    ExpectOneError("Datei " + Path("kasse.str") + " kann nicht erstellt werden");
  }
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
  EXPECT_EQ(ReadBytes(Path("kasse.str")), "alt");
  EXPECT_EQ(Design(), "A(neu)");
}

}  // namespace
}  // namespace editortest

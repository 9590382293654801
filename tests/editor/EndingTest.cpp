// Ending the program: the question about unsaved changes, and what each answer does.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "shell/Conversions.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class EndingTest : public EditorTest {
 protected:
  QTemporaryDir folder;
  std::string Path(const std::string& name) const {
    return folder.filePath(QString::fromStdString(name)).toStdString();
  }
  void Edit() {
    SetDesign("A(a) A(b)");
    Click(First(), At({0}));
    Key(First(), Qt::Key_Delete);
  }
  void Save(const std::string& file) {
    if (QFileInfo::exists(QString::fromStdString(file))) dialogs.AnswerReplace(true);
    dialogs.ChooseFile(file);
    Trigger("Struktogrammspeichern1");
  }
};

TEST_F(EndingTest, TheChangedMarkFollowsEditsSavesAndReplacements) {
  clipboard.text = "p;";
  const std::string file = Path("kasse.str");
  const std::pair<std::function<void()>, bool> steps[] = {
      {[] {}, false},
      {[&] { Edit(); }, true},
      {[&] { Save(file); }, false},
      {[&] { Trigger("Rckgngig1"); }, true},
      {[&] { Trigger("Neu1"); }, false},
      {[&] { Edit(); }, true},
      {[&] {
         dialogs.ChooseFile(file);
         Trigger("Struktogrammladen1");
       },
       false},
      {[&] { Trigger("AusZwischenablageeinfgen1"); }, true},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    steps[i].first();
    EXPECT_EQ(form->Changed(), steps[i].second) << "step " << i;
  }
}

// Both ways of ending, the close box and "Programm beenden", with every answer.
TEST_F(EndingTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheUserAnswers) {
  const struct {
    const char* what;
    bool edited;
    SaveAnswer answer;
    const char* file;  // chosen in the save dialog; "" cancels it, "-" shows none
    bool ends;
  } cases[] = {
      {"unchanged", false, SaveAnswer::Cancel, "-", true},
      {"Verwerfen", true, SaveAnswer::Discard, "-", true},
      {"Abbrechen", true, SaveAnswer::Cancel, "-", false},
      {"Speichern", true, SaveAnswer::Save, "neu.str", true},
      {"dialog cancelled", true, SaveAnswer::Save, "", false},
      {"saving fails", true, SaveAnswer::Save, "kein-ordner/neu.str", false},
  };
  std::ofstream(Path("kein-ordner")) << "eine Datei";
  for (const bool closeBox : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (closeBox ? ", close box" : ", Programm beenden"));
      dialogs = ScriptedDialogs();
      QFile::remove(QString::fromStdString(Path("neu.str")));
      Start();
      if (c.edited) {
        Edit();
        dialogs.AnswerSaveQuestion(c.answer);
      }
      const std::string file = Path(c.file);
      if (std::string(c.file) == "")
        dialogs.CancelFileDialog();
      else if (std::string(c.file) != "-")
        dialogs.ChooseFile(file);
      closeBox ? (void)form->close() : Trigger("Programmbeenden1");

      EXPECT_EQ(!form->isVisible(), c.ends);
      EXPECT_EQ(dialogs.saveQuestions.size(), c.edited ? 1u : 0u);
      if (c.edited) {
        EXPECT_EQ(dialogs.saveQuestions[0].caption, "Struktogramme");
        EXPECT_EQ(dialogs.saveQuestions[0].text,
                  "Der Entwurf wurde geändert. Sollen die Änderungen gespeichert werden?");
      }
      EXPECT_EQ(dialogs.messages.size(), std::string(c.what) == "saving fails" ? 1u : 0u);
      std::ostringstream bytes;
      bytes << std::ifstream(file, std::ios::binary).rdbuf();
      const bool saved = std::string(c.what) == "Speichern";
      if (saved) {
        EXPECT_EQ(bytes.str(), SaveDesignBytes(Root()));
      }
      EXPECT_EQ(form->Changed(), c.edited && !saved);
      EXPECT_TRUE(dialogs.AllAnswered());
    }
  }
}

}  // namespace
}  // namespace editortest

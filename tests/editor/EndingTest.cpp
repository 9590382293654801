// Ending the program: the question about unsaved changes, and what each answer does.
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
    Click(First(), At({0}));
    Key(First(), Qt::Key_Delete);
  }
};

TEST_F(EndingTest, TheChangedMarkFollowsEditsSavesAndReplacements) {
  clipboard.text = "p;";
  const std::pair<const char*, bool> steps[] = {
      {"start", false},  {"edit", true},  {"save", false},  {"undo", true},
      {"Neu1", false},   {"edit", true},  {"Neu1", false},  {"load", false},
      {"paste", true},   {"save", false}, {"copy", false},
  };
  for (const auto& [step, changed] : steps) {
    SCOPED_TRACE(step);
    const std::string what = step;
    if (what == "edit") {
      SetDesign("A(a) A(b)");
      Edit();
    } else if (what == "save") {
      if (QFileInfo::exists(QString::fromStdString(Path("kasse.str")))) dialogs.AnswerReplace(true);
      dialogs.ChooseFile(Path("kasse.str"));
      Trigger("Struktogrammspeichern1");
    } else if (what == "undo") {
      Trigger("Rckgngig1");
    } else if (what == "load") {
      dialogs.ChooseFile(Path("kasse.str"));
      Trigger("Struktogrammladen1");
    } else if (what == "paste") {
      Trigger("AusZwischenablageeinfgen1");
    } else if (what == "copy") {
      Trigger("InZwischenablage1");
    } else if (what != "start") {
      Trigger(what);
    }
    EXPECT_EQ(form->Changed(), changed);
  }
  // The first save found no file; every later one replaced it after the question.
  EXPECT_EQ(dialogs.replaceQuestions.size(), 1u);
  EXPECT_TRUE(dialogs.messages.empty());
}

// Both ways of ending, the close box and "Programm beenden", with every answer.
TEST_F(EndingTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheUserAnswers) {
  struct Case {
    const char* what;
    bool edited;
    std::function<void(ScriptedDialogs&, const std::string& file)> answer;
    bool ends;
    bool written;
  };
  const Case cases[] = {
      {"unchanged", false, [](auto&, auto&) {}, true, false},
      {"Verwerfen", true, [](auto& d, auto&) { d.AnswerSaveQuestion(SaveAnswer::Discard); },
       true, false},
      {"Abbrechen", true, [](auto& d, auto&) { d.AnswerSaveQuestion(SaveAnswer::Cancel); },
       false, false},
      {"Speichern", true,
       [](auto& d, auto& file) {
         d.AnswerSaveQuestion(SaveAnswer::Save);
         d.ChooseFile(file);
       },
       true, true},
      {"Speichern, dialog cancelled", true,
       [](auto& d, auto&) {
         d.AnswerSaveQuestion(SaveAnswer::Save);
         d.CancelFileDialog();
       },
       false, false},
      {"Speichern, save fails", true,
       [](auto& d, auto& file) {
         d.AnswerSaveQuestion(SaveAnswer::Save);
         d.ChooseFile(file + "/in-einer-datei.str");
       },
       false, false},
  };
  for (const bool closeBox : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (closeBox ? ", close box" : ", Programm beenden"));
      Start();
      SetDesign("A(a) A(b) A(c)");
      if (c.edited) Edit();
      const std::string design = Design();
      const std::string file = Path(std::string(c.what) + (closeBox ? "1" : "2"));
      if (std::string(c.what) == "Speichern, save fails") std::ofstream(file) << "eine Datei";
      c.answer(dialogs, file);
      if (closeBox)
        form->close();
      else
        Trigger("Programmbeenden1");

      EXPECT_EQ(dialogs.saveQuestions.size(), c.edited ? 1u : 0u);
      if (c.edited) {
        EXPECT_EQ(dialogs.saveQuestions[0].caption, "Struktogramme");
        EXPECT_EQ(dialogs.saveQuestions[0].text,
                  "Der Entwurf wurde geändert. Sollen die Änderungen gespeichert werden?");
      }
      EXPECT_EQ(!form->isVisible(), c.ends);
      EXPECT_EQ(Design(), design);
      std::ostringstream bytes;
      bytes << std::ifstream(file, std::ios::binary).rdbuf();
      if (c.written) {
        EXPECT_EQ(bytes.str(), SaveDesignBytes(Root()));
      }
      EXPECT_EQ(dialogs.messages.size(), std::string(c.what) == "Speichern, save fails" ? 1u : 0u);
      EXPECT_TRUE(dialogs.AllAnswered());
      dialogs = ScriptedDialogs();
    }
  }
}

}  // namespace
}  // namespace editortest

// Ending the program: the question about unsaved changes, and what each answer does.
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "shell/Conversions.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class EndingTest : public EditorTest {
 protected:
  QTemporaryDir folder;
  std::string Path(const char* name) const { return folder.filePath(name).toStdString(); }
  void Edit() {
    SetDesign("A(a) A(b)");
    Click(First(), At({0}));
    Key(First(), Qt::Key_Delete);
  }
};

// Each of edit, undo and paste marks the design changed, the step after it clears the mark.
TEST_F(EndingTest, TheChangedMarkFollowsEditsSavesAndReplacements) {
  clipboard.text = "p;";
  std::istringstream steps(
      "edit Struktogrammspeichern1 Rckgngig1 Neu1 edit Struktogrammladen1 "
      "AusZwischenablageeinfgen1");
  bool marked = true;
  EXPECT_FALSE(form->Changed());
  for (std::string step; steps >> step; marked = !marked) {
    if (step.starts_with("Struktogramm")) dialogs.ChooseFile(Path("kasse.str"));
    step == "edit" ? Edit() : Trigger(step);
    EXPECT_EQ(form->Changed(), marked) << step;
  }
}

// Both ways of ending, the close box and "Programm beenden", with every answer.
TEST_F(EndingTest, UnsavedChangesAreSavedDiscardedOrKeptAsTheUserAnswers) {
  const struct {
    std::string what;
    SaveAnswer answer;
    const char* file;  // chosen in the save dialog; "" cancels it, nullptr shows none
    bool ends;
  } cases[] = {
      {"unchanged", SaveAnswer::Cancel, nullptr, true},
      {"Verwerfen", SaveAnswer::Discard, nullptr, true},
      {"Abbrechen", SaveAnswer::Cancel, nullptr, false},
      {"Speichern", SaveAnswer::Save, "neu.str", true},
      {"dialog cancelled", SaveAnswer::Save, "", false},
      {"saving fails", SaveAnswer::Save, "kein-ordner/neu.str", false},
  };
  std::ofstream(Path("kein-ordner")) << "eine Datei";
  for (const bool closeBox : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what + (closeBox ? ", close box" : ", Programm beenden"));
      const bool edited = c.what != "unchanged", saved = c.what == "Speichern";
      dialogs = ScriptedDialogs();
      std::remove(Path("neu.str").c_str());
      Start();
      if (edited) Edit(), dialogs.AnswerSaveQuestion(c.answer);
      if (c.file) *c.file ? dialogs.ChooseFile(Path(c.file)) : dialogs.CancelFileDialog();
      closeBox ? (void)form->close() : Trigger("Programmbeenden1");

      EXPECT_EQ(!form->isVisible(), c.ends);
      ASSERT_EQ(dialogs.saveQuestions.size(), edited ? 1u : 0u);
      for (const auto& q : dialogs.saveQuestions)
        EXPECT_EQ(q.caption + ": " + q.text,
                  "Struktogramme: Der Entwurf wurde geändert. Sollen die Änderungen "
                  "gespeichert werden?");
      EXPECT_EQ(dialogs.messages.size(), c.what == "saving fails" ? 1u : 0u);
      std::ostringstream bytes;
      bytes << std::ifstream(Path("neu.str"), std::ios::binary).rdbuf();
      EXPECT_EQ(bytes.str() == SaveDesignBytes(Root()), saved) << "the design is written";
      EXPECT_EQ(form->Changed(), edited && !saved);
      EXPECT_TRUE(dialogs.AllAnswered());
    }
  }
}

}  // namespace
}  // namespace editortest

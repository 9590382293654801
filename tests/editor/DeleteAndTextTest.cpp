// Deleting elements and editing their texts.
#include <QLineEdit>

#include "shell/ForEdit.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using DeleteTest = EditorTest;
using TextTest = EditorTest;

TEST_F(DeleteTest, DeleteKeyAndMenuItemRemoveTheSelectedElementWithItsContents) {
  SetDesign("A(a) I(c)[A(y)|A(n)] B(b)[A(x)] A(z)");
  Click(First(), At({1}));
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(Design(), "A(a) B(b)[A(x)] A(z)");
  EXPECT_EQ(First().Options->SelectedElement(), nullptr);
  // A block that stands in a sequence goes as a whole.
  RightClickPopup(First(), At({1}), "Lschen1");
  EXPECT_EQ(Design(), "A(a) A(z)");
  EXPECT_EQ(History(), (std::vector<std::string>{"A(a) B(b)[A(x)] A(z)",
                                                 "A(a) I(c)[A(y)|A(n)] B(b)[A(x)] A(z)"}));
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "A(a) B(b)[A(x)] A(z)");
}

TEST_F(DeleteTest, ABranchBlockOrTheShownBlockIsEmptiedAndKept) {
  SetDesign("I(c)[A(y1) A(y2)|A(n)] W(w)[A(body)]");
  Click(First(), At({0}));
  Key(First(), Qt::Key_Left);
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(Design(), "I(c)[|A(n)] W(w)[A(body)]") << "the decision keeps both branches";
  Click(First(), At({1}));
  Key(First(), Qt::Key_Right);
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(Design(), "I(c)[|A(n)] W(w)[]");
  Click(First(), &Root());
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(Design(), "");
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(States(), 3);
}

TEST_F(DeleteTest, WithNothingSelectedNothingHappens) {
  SetDesign("A(a)");
  First().Options->ClearSelection();
  Key(First(), Qt::Key_Delete);
  Key(First(), Qt::Key_Return);
  Popup(First(), "Textbearbeiten1");
  EXPECT_EQ(Design(), "A(a)");
  EXPECT_EQ(States(), 0);
  EXPECT_TRUE(dialogs.inputCalls.empty());
}

TEST_F(TextTest, EachKindHasItsTitleAndPrompt) {
  const std::tuple<const char*, const char*, const char*> kinds[] = {
      {"A(t)", "Anweisung", "Gib eine neue Anweisung ein:"},
      {"I(t)[|]", "If-Anweisung", "Gib eine neue Bedingung ein:"},
      {"W(t)[]", "Schleife", "Gib eine neue Bedingung ein:"},
      {"D(t)[]", "Schleife", "Gib eine neue Bedingung ein:"},
      {"R(t)[]", "Schleife", "Gib eine neue Bedingung ein:"},
      {"B(t)[]", "Anweisungsblock", "Gib eine neue Bezeichnung ein:"},
  };
  for (const auto& [design, title, prompt] : kinds) {
    SCOPED_TRACE(design);
    SetDesign(design);
    Click(First(), At({0}));
    dialogs.ConfirmInput("neu");
    Key(First(), Qt::Key_Return);
    ASSERT_FALSE(dialogs.inputCalls.empty());
    EXPECT_EQ(dialogs.inputCalls.back().title, title);
    EXPECT_EQ(dialogs.inputCalls.back().prompt, prompt);
    EXPECT_EQ(dialogs.inputCalls.back().text, "t");
    EXPECT_EQ(At({0})->Text, "neu");
  }
  // A branch block is a block too.
  SetDesign("W(w)[]");
  Click(First(), At({0}));
  Key(First(), Qt::Key_Left);
  dialogs.ConfirmInputUnchanged();
  Key(First(), Qt::Key_Enter);
  EXPECT_EQ(dialogs.inputCalls.back().title, "Anweisungsblock");
}

TEST_F(TextTest, EnterDoubleClickAndMenuItemEditTheElementUnderTheirHand) {
  SetDesign("A(a) A(b) A(c)");
  Click(First(), At({0}));
  dialogs.ConfirmInput("A");
  Key(First(), Qt::Key_Enter);
  dialogs.ConfirmInput("B");
  DoubleClick(First(), At({1}));
  dialogs.ConfirmInput("C");
  RightClickPopup(First(), At({2}), "Textbearbeiten1");
  EXPECT_EQ(Design(), "A(A) A(B) A(C)");
  EXPECT_EQ(First().Dragging, 0) << "a double click ends the drag it began";
  EXPECT_EQ(History(), (std::vector<std::string>{"A(A) A(B) A(c)", "A(A) A(b) A(c)", "A(a) A(b) A(c)"}));
}

TEST_F(TextTest, ACancelledEditRecordsAStateAndKeepsTheText) {
  SetDesign("A(a)");
  Click(First(), At({0}));
  dialogs.CancelInput();
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(Design(), "A(a)");
  EXPECT_EQ(History(), std::vector<std::string>{"A(a)"});
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "A(a)");
}

TEST_F(TextTest, ARenamedBlockRenamesTheWindowsThatShowIt) {
  SetDesign("B(alt)[A(x)]");
  Click(First(), At({0}));
  TForm1* window = First().InneuemFensteranzeigen();
  ASSERT_TRUE(window);
  Click(First(), At({0}));
  dialogs.ConfirmInput("neu");
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(window->windowTitle(), "neu");
  // The root block titles the first window.
  Click(First(), &Root());
  dialogs.ConfirmInput("Hauptprogramm");
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(First().windowTitle(), "Hauptprogramm");
  EXPECT_EQ(window->windowTitle(), "neu");
}

TEST_F(TextTest, ACountingLoopIsEditedInItsDialogAndTakesItsTextInEveryOutcome) {
  SetDesign("F(i von 1 bis 10)[]");
  const auto edit = [&](int result, const char* end) {
    dialogs.AnswerModal([=](ModalWindow& window) {
      auto& dialog = dynamic_cast<TForm3&>(window);
      EXPECT_EQ(dialog.Edit1->text(), "i");
      EXPECT_EQ(dialog.Edit2->text(), "1");
      dialog.Edit3->setText(end);
      if (result == LoopTextDialog::Confirmed) dialog.Button1Click();
      return result;
    });
    Click(First(), At({0}));
    return First().Textbearbeiten();
  };
  EXPECT_FALSE(edit(LoopTextDialog::Confirmed, "20"));
  EXPECT_EQ(Design(), "F(i von 1 bis 20)[]");
  EXPECT_TRUE(edit(LoopTextDialog::Cancelled, "99")) << "cancelled";
  EXPECT_EQ(Design(), "F(i von 1 bis 20)[]");
  EXPECT_FALSE(edit(LoopTextDialog::Closed, "99")) << "the close box does not cancel";
  EXPECT_EQ(Design(), "F(i von 1 bis 20)[]");
  EXPECT_TRUE(dialogs.inputCalls.empty());
  EXPECT_EQ(States(), 3);
}

}  // namespace
}  // namespace editortest

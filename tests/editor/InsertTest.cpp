// Inserting elements: where the new element goes, its text and input box, confirming and
// cancelling with the undo history's accounting, and every way of giving the command.
#include <QLineEdit>
#include <QToolButton>

#include "shell/Conversions.h"
#include "shell/ForEdit.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class InsertTest : public EditorTest {
 protected:
  // Records one undo state per text edit of statement, each of a design that differs from
  // all others: the states hold A(0) to A(count - 1), newest first.
  void FillHistory(int count, TElement* statement) {
    for (int i = 1; i <= count; ++i) {
      dialogs.ConfirmInput(std::to_string(i));
      First().Options->ClearSelection();
      First().Options->Select(statement);
      First().Textbearbeiten();
    }
  }
};

TEST_F(InsertTest, AStatementGoesAfterTheSelectedOneAndKeepsTheConfirmedText) {
  SetDesign("A(x) A(z)");
  Click(First(), At({0}));
  dialogs.ConfirmInput("y");
  RightClickPopup(First(), At({0}), "Anweisung");
  EXPECT_EQ(Design(), "A(x) A(y) A(z)");
  ASSERT_EQ(dialogs.inputCalls.size(), 1u);
  EXPECT_EQ(dialogs.inputCalls[0].title, "Anweisung");
  EXPECT_EQ(dialogs.inputCalls[0].prompt, "Gib eine neue Anweisung ein:");
  EXPECT_EQ(dialogs.inputCalls[0].text, "Anweisung");
  EXPECT_EQ(First().Options->SelectedElement(), At({1}));
  EXPECT_EQ(History(), std::vector<std::string>{"A(x) A(z)"}) << "one state: before the insert";
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "A(x) A(z)");
}

TEST_F(InsertTest, InABlockTheNewElementHeadsItsBody) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("");
    // The root block of an empty design is all there is to click on.
    Click(First(), &Root());
    ASSERT_EQ(First().Options->SelectedElement(), &Root());
    dialogs.ConfirmInputUnchanged();
    Trigger("Anweisung");
    EXPECT_EQ(Design(), "A(Anweisung)");

    SetDesign("B(b)[A(alt)] A(danach)");
    Click(First(), At({0}));
    dialogs.ConfirmInput("neu");
    Key(First(), Qt::Key_Insert);
    EXPECT_EQ(Design(), "B(b)[A(neu) A(alt)] A(danach)");
  }
}

TEST_F(InsertTest, CancellingRemovesTheElementAndLeavesASmallHistoryAsItWas) {
  SetDesign("A(0)");
  FillHistory(7, At({0}));
  const std::vector<std::string> before = History();
  ASSERT_EQ(before.size(), 7u);
  const std::string design = Design();
  Click(First(), At({0}));
  dialogs.CancelInput();
  Key(First(), Qt::Key_Insert);
  EXPECT_EQ(Design(), design);
  EXPECT_EQ(History(), before);
  EXPECT_EQ(First().Options->SelectedElement(), nullptr) << "the deleted element is not selected";
}

TEST_F(InsertTest, CancellingWithEightStatesKeepsTheSevenNewest) {
  SetDesign("A(0)");
  FillHistory(8, At({0}));
  std::vector<std::string> before = History();
  ASSERT_EQ(before.size(), 8u);
  ASSERT_EQ(before.back(), "A(0)");
  Click(First(), At({0}));
  dialogs.CancelInput();
  Trigger("Anweisung");
  EXPECT_EQ(Design(), "A(8)");
  before.pop_back();
  EXPECT_EQ(History(), before) << "the oldest state fell out while the history was full";
}

TEST_F(InsertTest, EveryCommandInsertsItsKindWithItsText) {
  struct Kind {
    const char* popup;
    const char* menu;
    const char* flowchartButton;
    const char* structogramButton;
    const char* inserted;  // notation of the new element, inserted after A(x)
    const char* title;
  };
  const Kind kinds[] = {
      {"Anweisung", "Anweisung", "BAnweisung", "BAnweisung2", "A(Anweisung)", "Anweisung"},
      {"IfAnweisung", "IfAnweisung", "BIfAnweisung", "BIfAnweisung2", "I(?\?\?)[|]",
       "If-Anweisung"},
      {"WhileSchleife", "WhileSchleife", "BWhileSchleife", "BWhileSchleife2", "W(?\?\?)[]",
       "Schleife"},
      {"DoWhileSchleife", "DoWhileSchleife", "BDoWhileSchleife", "BDoWhileSchleife2", "D(?\?\?)[]",
       "Schleife"},
      {"RepeatUntilSchleife", "RepeatUntilSchleife", "BRepeatUntilSchleife", nullptr, "R(?\?\?)[]",
       "Schleife"},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.inserted);
    const auto insertWith = [&](const std::function<void()>& command, const char* how) {
      SetDesign("A(x)");
      Click(First(), At({0}));
      dialogs.ConfirmInputUnchanged();
      const std::size_t calls = dialogs.inputCalls.size();
      command();
      EXPECT_EQ(Design(), std::string("A(x) ") + kind.inserted) << how;
      ASSERT_EQ(dialogs.inputCalls.size(), calls + 1) << how;
      EXPECT_EQ(dialogs.inputCalls.back().title, kind.title) << how;
    };
    insertWith([&] { Popup(First(), kind.popup); }, "pop-up item");
    insertWith([&] { Trigger(kind.menu); }, "main-menu item");
    // The hidden repeat-until button still inserts when it is clicked by its owner.
    insertWith([&] { form->ButtonClick(form->Button(kind.flowchartButton)); }, "flowchart button");
    if (!kind.structogramButton) continue;
    Trigger("Struktogramm1");
    insertWith([&] { QTest::mouseClick(form->Button(kind.structogramButton), Qt::LeftButton); },
               "structogram button");
    Trigger("Flussdiagramm1");
    insertWith([&] { QTest::mouseClick(form->Button(kind.flowchartButton), Qt::LeftButton); },
               "visible flowchart button");
  }
}

TEST_F(InsertTest, ANewCountingLoopOpensTheLoopDialogWithQuestionMarks) {
  SetDesign("A(x)");
  Click(First(), At({0}));
  std::vector<std::string> fields;
  dialogs.AnswerModal([&](ModalWindow& window) {
    auto* dialog = dynamic_cast<TForm3*>(&window);
    EXPECT_NE(dialog, nullptr);
    if (!dialog) return LoopTextDialog::Cancelled;
    for (QLineEdit* edit : {dialog->Edit1, dialog->Edit2, dialog->Edit3})
      fields.push_back(edit->text().toStdString());
    dialog->Edit1->setText("i");
    dialog->Edit2->setText("1");
    dialog->Edit3->setText("n");
    dialog->Button1Click();
    return LoopTextDialog::Confirmed;
  });
  Trigger("ForSchleife");
  EXPECT_EQ(fields, (std::vector<std::string>{"?", "?", "?"}));
  EXPECT_EQ(Design(), "A(x) F(i von 1 bis n)[]");
  EXPECT_TRUE(dialogs.inputCalls.empty()) << "no input box for a counting loop";
  EXPECT_EQ(States(), 1);

  // Cancelled, the loop goes again.
  Click(First(), At({0}));
  dialogs.AnswerModal([](ModalWindow&) { return LoopTextDialog::Cancelled; });
  form->ButtonClick(form->Button("BForSchleife"));
  EXPECT_EQ(Design(), "A(x) F(i von 1 bis n)[]");
  EXPECT_EQ(States(), 1);
  Click(First(), At({0}));
  // Closed by its close box, the dialog counts as confirmed: the loop stays.
  dialogs.AnswerModal([](ModalWindow&) { return LoopTextDialog::Closed; });
  Trigger("ForSchleife");
  EXPECT_EQ(Design(), "A(x) F(?\?\?)[] F(i von 1 bis n)[]");
}

TEST_F(InsertTest, InsertingIntoACollapsedBlockExpandsItInEveryWindow) {
  SetDesign("B(b)[A(alt)]");
  auto* block = static_cast<TBlock*>(At({0}));
  // A second window on the whole design, with the block collapsed there too.
  Click(First(), &Root());
  TForm1* other = First().InneuemFensteranzeigen();
  ASSERT_TRUE(other);
  for (TForm1* window : {&First(), other}) {
    Click(*window, block);
    window->ChangeDisplay();
    ASSERT_TRUE(window->Options->IsCollapsed(block));
  }
  Click(First(), block);
  dialogs.ConfirmInput("neu");
  Key(First(), Qt::Key_Insert);
  EXPECT_EQ(Design(), "B(b)[A(neu) A(alt)]");
  EXPECT_FALSE(First().Options->IsCollapsed(block));
  EXPECT_FALSE(other->Options->IsCollapsed(block));
  EXPECT_NE(ClientPointOn(*other, At({0, 1, 0})), QPoint(-1, -1)) << "shown in the other window";
}

TEST_F(InsertTest, WithNothingSelectedNothingIsInserted) {
  SetDesign("A(x)");
  First().Options->ClearSelection();
  Key(First(), Qt::Key_Insert);
  Trigger("IfAnweisung");
  EXPECT_EQ(Design(), "A(x)");
  EXPECT_EQ(States(), 0);
  EXPECT_TRUE(dialogs.inputCalls.empty());
  // A command component that names no kind inserts nothing either.
  Click(First(), At({0}));
  First().Einfuegen("Lschen1");
  EXPECT_EQ(Design(), "A(x)");
  EXPECT_EQ(States(), 0);
}

TEST_F(InsertTest, CtrlInsertPastesFromTheClipboardInsteadOfInserting) {
  SetDesign("A(x)");
  Click(First(), At({0}));
  clipboard.text = "a := 1;\nb := 2;\n";
  Key(First(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_TRUE(dialogs.inputCalls.empty()) << "no statement was inserted";
  EXPECT_EQ(Design(), RenderBody(*ImportProgramText(*clipboard.text)));
  EXPECT_NE(Design(), "A(x)");
  EXPECT_EQ(History(), std::vector<std::string>{"A(x)"}) << "the design the paste replaced";
}

}  // namespace
}  // namespace editortest

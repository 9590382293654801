// One command at a time: while a command waits in one of its dialogs, other commands that the
// platform still delivers (an accessibility bridge triggers menu items whatever is modal) are
// refused, so the waiting command finds what it holds as it left it. Run under the
// sanitizers, these tests also prove that nothing is used after it is freed.
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using CommandGuardTest = EditorTest;

TEST_F(CommandGuardTest, CommandsDeliveredWhileADialogIsOpenAreRefused) {
  struct Case {
    const char* name;
    std::function<void()> queueAnswer;
    std::function<void(TForm1&)> start;  // selects what the command acts on and starts it
    const char* after;
  };
  const Case cases[] = {
      {"insert from the menu", [&] { dialogs.ConfirmInput("neu"); },
       [&](TForm1& w) {
         Click(w, At({0}));
         Trigger("Anweisung");
       },
       "A(a) A(neu) B(k)[A(b)]"},
      {"text edit by Enter", [&] { dialogs.ConfirmInput("x"); },
       [&](TForm1& w) {
         Click(w, At({0}));
         Key(w, Qt::Key_Return);
       },
       "A(x) B(k)[A(b)]"},
      {"text edit by double click", [&] { dialogs.ConfirmInput("y"); },
       [&](TForm1& w) { DoubleClick(w, At({0})); }, "A(y) B(k)[A(b)]"},
      {"text edit from the pop-up", [&] { dialogs.CancelInput(); },
       [&](TForm1& w) { RightClickPopup(w, At({0}), "Textbearbeiten1"); }, "A(a) B(k)[A(b)]"},
      {"counting loop",
       [&] {
         dialogs.AnswerModal([](ModalWindow& window) {
           auto& dialog = dynamic_cast<TForm3&>(window);
           dialog.Edit1->setText("i");
           dialog.Edit2->setText("1");
           dialog.Edit3->setText("3");
           dialog.Button1Click();
           return LoopTextDialog::Confirmed;
         });
       },
       [&](TForm1& w) {
         Click(w, At({0}));
         Trigger("ForSchleife");
       },
       "A(a) F(i von 1 bis 3)[] B(k)[A(b)]"},
      {"load", [&] { dialogs.CancelFileDialog(); }, [&](TForm1&) { Trigger("Struktogrammladen1"); },
       "A(a) B(k)[A(b)]"},
      {"print", [&] { dialogs.AnswerPrintDialog(false); }, [&](TForm1&) { Trigger("Drucken2"); },
       "A(a) B(k)[A(b)]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetDesign("A(a) B(k)[A(b)]");
    form->UndoStates.ClearUndoStates();
    First().Options->Select(At({1}));
    QPointer<TForm1> inner = First().InneuemFensteranzeigen();
    form->MdiArea->setActiveSubWindow(&First());
    const TBlock* root = &Root();
    int interruptions = 0;
    dialogs.whileOpen = [&] {
      ++interruptions;
      const std::string design = Design();
      const int states = States();
      for (const char* item : {"Neu1", "Rckgngig1", "AusZwischenablageeinfgen1", "Anweisung",
                               "Struktogrammladen1", "Programmbeenden1"})
        Trigger(item);
      Popup(First(), "Lschen1");
      Popup(*inner, "InneuemFensteranzeigen1");
      form->Button("BAnweisung")->click();
      Key(First(), Qt::Key_Delete);
      inner->close();
      First().close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_EQ(&Root(), root) << "the design was replaced";
      EXPECT_EQ(Design(), design);
      EXPECT_EQ(States(), states);
      EXPECT_TRUE(inner) << "the window was closed";
      EXPECT_FALSE(First().isMinimized());
      EXPECT_EQ(form->DiagramWindows().size(), 2u);
    };
    clipboard.text = "anderes;";
    c.queueAnswer();
    c.start(First());
    dialogs.whileOpen = nullptr;
    EXPECT_EQ(interruptions, 1);
    EXPECT_EQ(Design(), c.after);
    EXPECT_TRUE(form->isVisible());
    if (inner) inner->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Once no command waits, the same triggers run again.
  Trigger("Neu1");
  EXPECT_EQ(Design(), "");
}

}  // namespace
}  // namespace editortest

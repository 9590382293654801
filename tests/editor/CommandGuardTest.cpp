// While a command waits in a dialog, commands the platform still delivers (an accessibility
// bridge triggers menu items whatever is modal) are refused, so the waiting one finds what it
// holds as it left it; under the sanitizers also nothing is used after it is freed.
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using CommandGuardTest = EditorTest;

// Each case starts a command on the first statement by one way in and answers its dialog.
TEST_F(CommandGuardTest, CommandsDeliveredWhileADialogIsOpenAreRefused) {
  const auto loop = [](ModalWindow& window) {
    auto& dialog = dynamic_cast<TForm3&>(window);
    dialog.Edit1->setText("i"), dialog.Edit2->setText("1"), dialog.Edit3->setText("3");
    dialog.Button1Click();
    return int(LoopTextDialog::Confirmed);
  };
  using Case = std::tuple<const char*, std::function<void()>, std::function<void()>, const char*>;
  const Case cases[] = {
      {"menu", [&] { dialogs.ConfirmInput("neu"); }, [&] { Trigger("Anweisung"); },
       "A(a) A(neu) B(k)[A(b)]"},
      {"Enter", [&] { dialogs.ConfirmInput("x"); }, [&] { Key(First(), Qt::Key_Return); },
       "A(x) B(k)[A(b)]"},
      {"double click", [&] { dialogs.ConfirmInput("y"); }, [&] { DoubleClick(First(), At({0})); },
       "A(y) B(k)[A(b)]"},
      {"pop-up", [&] { dialogs.CancelInput(); },
       [&] { RightClickPopup(First(), At({0}), "Textbearbeiten1"); }, "A(a) B(k)[A(b)]"},
      {"counting loop", [&] { dialogs.AnswerModal(loop); }, [&] { Trigger("ForSchleife"); },
       "A(a) F(i von 1 bis 3)[] B(k)[A(b)]"},
  };
  for (const auto& [name, answer, start, after] : cases) {
    SCOPED_TRACE(name);
    SetDesign("A(a) B(k)[A(b)]");
    form->UndoStates.ClearUndoStates();
    First().Options->Select(At({1}));
    QPointer<TForm1> inner = First().InneuemFensteranzeigen();
    form->MdiArea->setActiveSubWindow(&First());
    Click(First(), At({0}));
    const TBlock* root = &Root();
    int interruptions = 0;
    dialogs.whileOpen = [&] {
      ++interruptions;
      const auto before = std::tuple(Design(), States(), std::size_t{2});
      for (const char* item : {"Neu1", "Rckgngig1", "AusZwischenablageeinfgen1", "Anweisung",
                               "Struktogrammladen1", "Programmbeenden1", "Vergrern1"})
        Trigger(item);
      EXPECT_EQ(First().Zoom(), 100);
      Popup(First(), "Lschen1");
      Popup(*inner, "InneuemFensteranzeigen1");
      form->Button("BAnweisung")->click();
      Key(First(), Qt::Key_Delete);
      inner->close();
      First().close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_EQ(&Root(), root) << "the design was replaced";
      EXPECT_EQ(std::tuple(Design(), States(), form->DiagramWindows().size()), before);
      EXPECT_TRUE(inner && !First().isMinimized()) << "a window was closed";
    };
    clipboard.text = "anderes;";
    answer();
    start();
    dialogs.whileOpen = nullptr;
    EXPECT_EQ(interruptions, 1);
    EXPECT_EQ(Design(), after);
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

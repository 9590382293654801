// The "Fenster" menu, a diagram window's pop-up menu, and the status line's note.
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "tests/editor/EditorTestSupport.h"
#include "window/EditMessages.h"

namespace editortest {
namespace {

class WindowMenuTest : public EditorTest {
 protected:
  QMenu* WindowMenu() { return form->findChild<QMenu*>("Fenster1"); }
  // The items after the separator as the menu opens: "*" marks the checked one.
  std::vector<std::string> ListedWindows() {
    emit WindowMenu()->aboutToShow();
    std::vector<std::string> listed;
    const QList<QAction*> actions = WindowMenu()->actions();
    for (qsizetype i = 3; i < actions.size(); ++i)
      listed.push_back((actions[i]->isChecked() ? "*" : "") + actions[i]->text().toStdString());
    return listed;
  }
  QAction* Listed(int index) { return WindowMenu()->actions()[3 + index]; }
  TForm1* OpenBlock(const TElement* block) {
    Click(First(), block);
    return First().InneuemFensteranzeigen();
  }
};

TEST_F(WindowMenuTest, ListsEveryWindowByCaptionWithTheActiveOneChecked) {
  EXPECT_EQ(ListedWindows(), std::vector<std::string>{"*gesamtes Programm"});
  SetDesign("B(Teil)[A(x)] B(Rest & Ende)[A(y)]");
  TForm1* part = OpenBlock(At({0}));
  TForm1* rest = OpenBlock(At({1}));
  EXPECT_EQ(ListedWindows(),
            (std::vector<std::string>{"gesamtes Programm", "Teil", "*Rest && Ende"}));
  // Opening the menu again lists the windows once.
  EXPECT_EQ(ListedWindows().size(), 3u);
  Listed(1)->trigger();
  EXPECT_EQ(form->ActiveWindow(), part);
  rest->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ListedWindows(), (std::vector<std::string>{"gesamtes Programm", "*Teil"}));
}

TEST_F(WindowMenuTest, ChoosingTheMinimisedFirstWindowRestoresAndActivatesIt) {
  SetDesign("B(Teil)[A(x)]");
  OpenBlock(At({0}));
  First().close();
  ASSERT_TRUE(First().isMinimized());
  ListedWindows();
  Listed(0)->trigger();
  EXPECT_FALSE(First().isMinimized());
  EXPECT_EQ(form->ActiveWindow(), &First());
}

struct ExpectedPopupItem {
  const char* component;
  const char* caption;  // "-" for a separator
  bool visible = true;
};

void ExpectItems(QMenu& menu, const std::vector<ExpectedPopupItem>& expected) {
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), qsizetype(expected.size())) << menu.objectName().toStdString();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].component);
    EXPECT_EQ(actions[i]->objectName().toStdString(), expected[i].component);
    EXPECT_EQ(actions[i]->isVisible(), expected[i].visible);
    if (std::string(expected[i].caption) == "-")
      EXPECT_TRUE(actions[i]->isSeparator());
    else
      EXPECT_EQ(actions[i]->text().toStdString(), expected[i].caption);
  }
}

TEST_F(WindowMenuTest, PopupMenuHoldsItsItemsInOrderWithTheTwoHiddenInserts) {
  ExpectItems(*First().PopupMenu1,
              {{"Einfgen1", "Einfügen"},
               {"Textbearbeiten1", "Text bearbeiten"},
               {"Genauerbestimmen1", "Genauer bestimmen"},
               {"Lschen1", "Löschen"},
               {"N3", "-"},
               {"Anzeigeverkleinernvergrern1", "Anzeige verkleinern/vergrößern"},
               {"InneuemFensteranzeigen1", "In neuem Fenster anzeigen"}});
  QMenu* insert = First().PopupMenu1->actions()[0]->menu();
  ASSERT_NE(insert, nullptr);
  ExpectItems(*insert, {{"Anweisung", "Anweisung"},
                        {"N1", "-"},
                        {"IfAnweisung", "Entscheidung"},
                        {"N2", "-"},
                        {"WhileSchleife", "Schleife (Test vorher)"},
                        {"DoWhileSchleife", "Schleife (Test danach)"},
                        {"RepeatUntilSchleife", "Schleife (Test danach)", false},
                        {"ForSchleife", "Zählschleife", false}});
}

class StatusLineTest : public EditorTest {
 protected:
  std::string Status() { return form->statusBar()->currentMessage().toStdString(); }
};

TEST_F(StatusLineTest, SaysWhyACommandWithNothingSelectedDoesNothing) {
  SetDesign("A(x)");
  struct Attempt {
    const char* what;
    std::function<void()> run;
  };
  const Attempt attempts[] = {
      {"tool-bar button", [&] { form->Button("BAnweisung")->click(); }},
      {"menu item", [&] { Trigger("IfAnweisung"); }},
      {"pop-up item", [&] { Popup(First(), "WhileSchleife"); }},
      {"Insert", [&] { Key(First(), Qt::Key_Insert); }},
      {"Enter", [&] { Key(First(), Qt::Key_Return); }},
      {"Delete", [&] { Key(First(), Qt::Key_Delete); }},
  };
  for (const Attempt& attempt : attempts) {
    SCOPED_TRACE(attempt.what);
    Trigger("Flussdiagramm1");
    ASSERT_EQ(Status(), "");
    attempt.run();
    EXPECT_EQ(Status(), NothingSelectedMessage);
    EXPECT_EQ(Design(), "A(x)");
    EXPECT_EQ(States(), 0);
  }
}

TEST_F(StatusLineTest, TheNoteGoesWithTheNextCommandOrClick) {
  SetDesign("A(x)");
  Trigger("Anweisung");
  ASSERT_EQ(Status(), NothingSelectedMessage);
  Trigger("Struktogramm1");
  EXPECT_EQ(Status(), "");
  Key(First(), Qt::Key_Delete);
  ASSERT_EQ(Status(), NothingSelectedMessage);
  Click(First(), At({0}));
  EXPECT_EQ(Status(), "");
  // With the element selected, Delete does its work and says nothing.
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(Design(), "");
}

}  // namespace
}  // namespace editortest

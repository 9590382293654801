// The main window at start: its window, menus and tool bar, and the view switch.
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "tests/editor/EditorTestSupport.h"
#include "window/EditMessages.h"

namespace editortest {
namespace {

// Every item of the four menus, in order: "component|caption|shortcut", a separator by its
// component alone, a hidden item marked with a leading '!'.
const std::pair<const char*, const char*> ExpectedMenus[] = {
    {"Datei",
     "Neu1|Neu|Ctrl+N; N2; Struktogrammladen1|Flussdiagramm laden|Ctrl+O; "
     "Struktogrammspeichern1|Flussdiagramm speichern|Ctrl+S; N11; "
     "InZwischenablage1|In Zwischenablage kopieren|Ctrl+C; "
     "AlsBildkopieren1|Als Bild kopieren|Ctrl+Shift+C; "
     "AusZwischenablageeinfgen1|Aus Zwischenablage einfügen|Ctrl+Ins; N5; "
     "Exportieren1|Exportieren|; AlsBildspeichern1|Als Bild speichern …|; Drucken2|Drucken|Ctrl+P; "
     "Druckvorschau1|Druckvorschau|; N1; Programmbeenden1|Programm beenden|"},
    {"Bearbeiten",
     "Rckgngig1|Rückgängig|Ctrl+Z; N4; Anweisung|Anweisung einfügen|; "
     "IfAnweisung|Entscheidung einfügen|; N3; WhileSchleife|Schleife (Test vorher)|; "
     "!RepeatUntilSchleife|Schleife (Test danach)|; DoWhileSchleife|Schleife (Test danach)|; "
     "ForSchleife|Zählschleife einfügen|"},
    {"Ansicht",
     "Blockvergrern1|Block vergrößern/verkleinern|; "
     "BlockinneuemFensteranzeigen1|Block in neuem Fenster anzeigen|; N6; "
     "Struktogramm1|Struktogramm|; Flussdiagramm1|Flussdiagramm|; N8; "
     "Vergrern1|Vergrößern|Ctrl++; Verkleinern1|Verkleinern|Ctrl+-; Normalgre1|Normalgröße|Ctrl+0"},
    {"Fenster", "Ueberlappend1|Überlappend|; Nebeneinander1|Nebeneinander|; N7"},
};

using MainWindowTest = EditorTest;

TEST_F(MainWindowTest, StartsWithOneWindowOnANewDesignInTheFlowchartView) {
  EXPECT_EQ(form->windowTitle(), "Tavelon");
  EXPECT_EQ(form->pos(), QPoint(222, 146));
  EXPECT_EQ(form->size(), QSize(803, 470));
  ASSERT_EQ(form->DiagramWindows().size(), 1u);
  EXPECT_EQ(&First(), form->DiagramWindows().front());
  EXPECT_EQ(First().windowTitle(), "gesamtes Programm");
  EXPECT_EQ(First().accessibleName(), "gesamtes Programm");
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(First().Closable, 0);
  EXPECT_EQ(Root().Text, "gesamtes Programm");
  EXPECT_EQ(Root().Body, nullptr);
  EXPECT_EQ(Root().Movable, 0);
  EXPECT_EQ(Root().Braced, 0);
  EXPECT_TRUE(form->FlowchartView());
  EXPECT_EQ(form->UndoStates.Count(), 0);
  EXPECT_FALSE(form->Form3->isVisible());
}

TEST_F(MainWindowTest, MenusHoldEveryItemWithCaptionShortCutAndVisibility) {
  const QList<QAction*> menus = form->menuBar()->actions();
  ASSERT_EQ(menus.size(), qsizetype(std::size(ExpectedMenus)));
  for (std::size_t m = 0; m < std::size(ExpectedMenus); ++m) {
    const auto& [title, expected] = ExpectedMenus[m];
    EXPECT_EQ(menus[m]->text().remove('&').toStdString(), title);
    const QList<QAction*> actions = menus[m]->menu()->actions();
    const QStringList items = QString(expected).split("; ");
    ASSERT_EQ(actions.size(), items.size()) << title;
    for (qsizetype i = 0; i < items.size(); ++i) {
      std::vector<std::string> item;
      for (const QString& field : items[i].split('|')) item.push_back(field.toStdString());
      const bool hidden = item[0].starts_with('!');
      if (hidden) item[0].erase(0, 1);
      SCOPED_TRACE(item[0]);
      QAction* action = actions[i];
      EXPECT_EQ(action->objectName().toStdString(), item[0]);
      EXPECT_EQ(action->isSeparator(), item.size() == 1);
      if (item.size() == 1) continue;
      EXPECT_EQ(action->text().toStdString(), item[1]);
      EXPECT_EQ(action->shortcut().toString().toStdString(), item[2]);
      EXPECT_EQ(action->isVisible(), !hidden);
    }
  }
  EXPECT_TRUE(form->Item("Flussdiagramm1")->isChecked());
  EXPECT_FALSE(form->Item("Struktogramm1")->isChecked());
}

TEST_F(MainWindowTest, BearbeitenShowsExactlyOneLoopWithTheTestAfter) {
  int shown = 0;
  for (QAction* action : form->findChild<QMenu*>("Einfgen1")->actions())
    if (action->isVisible() && action->text() == "Schleife (Test danach)") {
      ++shown;
      EXPECT_EQ(action->objectName(), "DoWhileSchleife");
    }
  EXPECT_EQ(shown, 1);
}

// The visible buttons of the tool bar from left to right, by component name.
std::vector<std::string> VisibleButtons(TForm2& form) {
  std::vector<std::pair<int, std::string>> shown;
  for (QToolButton* button : form.ToolBar1->findChildren<QToolButton*>())
    if (button->isVisible() && !button->objectName().isEmpty())
      shown.emplace_back(button->x(), button->objectName().toStdString());
  std::sort(shown.begin(), shown.end());
  std::vector<std::string> names;
  for (const auto& [x, name] : shown) names.push_back(name);
  return names;
}

std::vector<std::string> Hints(TForm2& form, const std::vector<std::string>& buttons) {
  std::vector<std::string> hints;
  for (const std::string& name : buttons) {
    QToolButton* button = form.Button(name);
    EXPECT_EQ(button->accessibleName(), button->toolTip());
    hints.push_back(button->toolTip().toStdString());
  }
  return hints;
}

const std::vector<std::string> ExpectedHints = {"Anweisung", "Entscheidung",
                                                "Schleife (Test vorher)", "Zählschleife",
                                                "Schleife (Test hinterher)"};

TEST_F(MainWindowTest, ToolBarShowsTheFiveFlowchartButtonsClosedUpInOrder) {
  const std::vector<std::string> flowchart = {"BAnweisung", "BIfAnweisung", "BWhileSchleife",
                                              "BForSchleife", "BDoWhileSchleife"};
  EXPECT_EQ(VisibleButtons(*form), flowchart);
  EXPECT_EQ(Hints(*form, flowchart), ExpectedHints);
  int right = -1;
  for (const std::string& name : flowchart) {
    QToolButton* button = form->Button(name);
    EXPECT_EQ(button->height(), 31);
    EXPECT_EQ(button->width(), name == "BAnweisung" ? 81 : 75);
    EXPECT_EQ(button->iconSize(), QSize(50, 25));
    if (right >= 0) {
      EXPECT_EQ(button->x(), right) << "buttons close up";
    }
    right = button->x() + button->width();
  }
  EXPECT_EQ(form->ToolBar1->height(), 35);
  EXPECT_FALSE(form->Button("BRepeatUntilSchleife")->isVisible());
}

TEST_F(MainWindowTest, StructogramViewSwapsTheButtonSetAndRepaintsEveryWindow) {
  Trigger("Struktogramm1");
  const std::vector<std::string> structogram = {"BAnweisung2", "BIfAnweisung2", "BWhileSchleife2",
                                                "BForSchleife2", "BDoWhileSchleife2"};
  EXPECT_EQ(VisibleButtons(*form), structogram);
  EXPECT_EQ(Hints(*form, structogram), ExpectedHints);
  EXPECT_TRUE(form->Item("Struktogramm1")->isChecked());
  EXPECT_FALSE(form->Item("Flussdiagramm1")->isChecked());
  EXPECT_FALSE(form->FlowchartView());
  EXPECT_EQ(First().Options->Flowchart, 0);
  EXPECT_EQ(First().GetDisplayOrigin(), (TPoint{15, 15}));

  Trigger("Flussdiagramm1");
  EXPECT_EQ(VisibleButtons(*form)[0], "BAnweisung");
  EXPECT_EQ(First().Options->Flowchart, 1);
}

TEST_F(MainWindowTest, ChoosingTheCheckedViewAgainChangesNothing) {
  SetDesign("A(x) I(c)[A(y)|]");
  Click(First(), At({1}));
  const QPoint scroll = First().ScrollOffsets();
  Trigger("Flussdiagramm1");
  EXPECT_TRUE(form->Item("Flussdiagramm1")->isChecked());
  EXPECT_FALSE(form->Item("Struktogramm1")->isChecked());
  EXPECT_EQ(Selected(First()), "I(c)[A(y)|]");
  EXPECT_EQ(First().ScrollOffsets(), scroll);
}

TEST_F(MainWindowTest, ButtonPicturesAreDrawnOnGreyWithBlackLinesAndWhiteFaces) {
  for (const char* name : {"BAnweisung", "BAnweisung2", "BIfAnweisung", "BIfAnweisung2",
                           "BWhileSchleife", "BForSchleife2", "BDoWhileSchleife"}) {
    const QImage picture = form->Button(name)->icon().pixmap(QSize(50, 25)).toImage();
    ASSERT_EQ(picture.size(), QSize(50, 25)) << name;
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(192, 192, 192)) << name;
    bool black = false, white = false;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 50; ++x) {
        black |= picture.pixelColor(x, y) == Qt::black;
        white |= picture.pixelColor(x, y) == Qt::white;
      }
    EXPECT_TRUE(black && white) << name;
  }
}

TEST_F(MainWindowTest, ProgrammBeendenClosesTheMainWindow) {
  Trigger("Programmbeenden1");
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, ComesBackWhereAndAsTheUserLeftIt) {
  form->setGeometry(30, 40, 600, 400);
  Trigger("Programmbeenden1");
  Start();
  EXPECT_EQ(form->geometry(), QRect(30, 40, 600, 400));
  form->showMaximized();
  Trigger("Programmbeenden1");
  Start();
  EXPECT_TRUE(form->isMaximized());
}

// After its fixed items the Fenster menu lists the diagram windows by caption, the active one
// checked; choosing one activates it, the minimised first window too.
TEST_F(MainWindowTest, FensterListsTheWindowsAndActivatesTheChosenOne) {
  QMenu& menu = *form->findChild<QMenu*>("Fenster1");
  const auto windows = [&] {
    emit menu.aboutToShow();
    std::string items;
    for (QAction* a : menu.actions().mid(3))
      items += ((a->isChecked() ? "*" : "") + a->text() + ";").toStdString();
    return items;
  };
  SetDesign("B(Teil & mehr)[A(x)]");
  Click(First(), At({0}));
  First().InneuemFensteranzeigen();
  EXPECT_EQ(windows(), "gesamtes Programm;*Teil && mehr;");
  First().close();  // the first window only minimises
  menu.actions()[3]->trigger();
  EXPECT_FALSE(First().isMinimized());
  EXPECT_EQ(windows(), "*gesamtes Programm;Teil && mehr;");
}

TEST_F(MainWindowTest, StatusLineSaysWhyACommandWithNothingSelectedDoesNothing) {
  auto status = [&] { return form->statusBar()->currentMessage().toStdString(); };
  SetDesign("A(x)");
  const std::function<void()> attempts[] = {
      [&] { Trigger("IfAnweisung"); }, [&] { Popup(First(), "WhileSchleife"); },
      [&] { Key(First(), Qt::Key_Return); }, [&] { Key(First(), Qt::Key_Delete); }};
  for (std::size_t i = 0; i < std::size(attempts); ++i) {
    attempts[i]();
    EXPECT_EQ(status(), NothingSelectedMessage) << i;
    Trigger("Flussdiagramm1");  // the next command clears the note
    EXPECT_EQ(status(), "") << i;
  }
  Click(First(), At({0}));
  Key(First(), Qt::Key_Delete);  // with the element selected, Delete works and says nothing
  EXPECT_EQ(status(), "");
}

}  // namespace
}  // namespace editortest

namespace editortest {
namespace {

TEST_F(MainWindowTest, EveryVisibleButtonInsertsItsKindInBothViews) {
  const std::pair<const char*, std::vector<std::pair<std::string, char>>> views[] = {
      {"Flussdiagramm1",
       {{"BAnweisung", 'A'}, {"BIfAnweisung", 'I'}, {"BWhileSchleife", 'W'},
        {"BForSchleife", 'F'}, {"BDoWhileSchleife", 'D'}}},
      {"Struktogramm1",
       {{"BAnweisung2", 'A'}, {"BIfAnweisung2", 'I'}, {"BWhileSchleife2", 'W'},
        {"BForSchleife2", 'F'}, {"BDoWhileSchleife2", 'D'}}},
  };
  for (const auto& [view, buttons] : views) {
    Trigger(view);
    for (const auto& [name, tag] : buttons) {
      SCOPED_TRACE(name);
      SetDesign("");
      First().Options->ClearSelection();
      First().Options->Select(&Root());
      if (tag == 'F')
        dialogs.AnswerModal([](ModalWindow&) { return 1; });
      else
        dialogs.ConfirmInputUnchanged();
      QTest::mouseClick(form->Button(name), Qt::LeftButton);
      ASSERT_NE(Root().Body, nullptr);
      EXPECT_EQ(Root().Body->RecordTag(), tag);
      EXPECT_EQ(Root().Body->Next, nullptr);
    }
  }
}

}  // namespace
}  // namespace editortest

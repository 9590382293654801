// The diagram as assistive technology sees it: the tree of accessible objects, their names,
// states and rectangles, the events that follow the selection and the design, the actions.
#include <QAccessible>
#include <QScrollBar>

#include "tests/editor/EditorTestSupport.h"
#include "window/AccessibleElement.h"

namespace editortest {
namespace {

struct Heard {
  QAccessible::Event type;
  QAccessibleInterface* object;
  bool selected;  // whether the object said it was selected and focused when heard
};
std::vector<Heard> heard;

void Listen(QAccessibleEvent* event) {
  QAccessibleInterface* object = event->accessibleInterface();
  const QAccessible::State state = object ? object->state() : QAccessible::State();
  heard.push_back({event->type(), object, state.selected && state.focused});
}

class AccessibleTest : public EditorTest {
 protected:
  void SetUp() override {
    QAccessible::installUpdateHandler(Listen);
    QAccessible::setActive(true);
    EditorTest::SetUp();
    heard.clear();
  }
  void TearDown() override {
    EditorTest::TearDown();
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }

  static QAccessibleInterface* View(TForm1& window) {
    return QAccessible::queryAccessibleInterface(&window.view());
  }
  // The object at a path of child indices below the view.
  static QAccessibleInterface* Object(TForm1& window, std::initializer_list<int> path) {
    QAccessibleInterface* object = View(window);
    for (int index : path) object = object ? object->child(index) : nullptr;
    return object;
  }
  static std::string Tree(QAccessibleInterface* object) {
    std::string text = object->text(QAccessible::Name).toStdString();
    for (int i = 0; i < object->childCount(); ++i)
      text += (i ? ", " : " [") + Tree(object->child(i)) + (i + 1 == object->childCount() ? "]" : "");
    return text;
  }
  // Every object below the view, parents first.
  static std::vector<QAccessibleInterface*> All(TForm1& window) {
    std::vector<QAccessibleInterface*> all{Object(window, {0})};
    for (std::size_t i = 0; i < all.size(); ++i)
      for (int c = 0; c < all[i]->childCount(); ++c) all.push_back(all[i]->child(c));
    return all;
  }
  static TElement* ElementOf(QAccessibleInterface* object) {
    return static_cast<AccessibleElement*>(object)->element();
  }
  std::vector<QAccessible::Event> HeardFor(QAccessibleInterface* object) const {
    std::vector<QAccessible::Event> types;
    for (const Heard& h : heard)
      if (h.object == object) types.push_back(h.type);
    return types;
  }
};

const char* const EveryKind =
    "A(x := 1) I(x > 0)[A(y)|] W(i < 10)[A(b)] F(i von 1 bis 10)[] D(k > 0)[] R(fertig)[] "
    "B(Eingabe)[A(lies x)]";

TEST_F(AccessibleTest, TheTreeNestsAsTheDesignInBothViews) {
  SetDesign(EveryKind);
  const std::string expected =
      "Block: " + Root().Text +
      " [Anweisung: x := 1, Entscheidung: x > 0 [Ja-Block [Anweisung: y], Nein-Block], "
      "Schleife (Test vorher): i < 10 [While-Block [Anweisung: b]], "
      "Zählschleife: i von 1 bis 10 [For-Block], Schleife (Test danach): k > 0 [DoWhile-Block], "
      "Schleife (Test danach, bis): fertig [RepeatUntil-Block], "
      "Block: Eingabe [Anweisung: lies x]]";
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    Trigger(view);
    QAccessibleInterface* tree = View(First());
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    ASSERT_EQ(tree->childCount(), 1);
    EXPECT_EQ(Tree(tree->child(0)), expected) << view;
    for (QAccessibleInterface* object : All(First())) {
      const QAccessible::State state = object->state();
      const bool block = dynamic_cast<TBlock*>(ElementOf(object)) != nullptr;
      EXPECT_EQ(object->role(), QAccessible::TreeItem);
      EXPECT_TRUE(state.focusable && state.selectable && !state.selected && !state.invisible);
      EXPECT_EQ(bool(state.expandable), block);
      EXPECT_EQ(bool(state.expanded), block);
      for (int i = 0; i < object->childCount(); ++i) {
        EXPECT_EQ(object->child(i)->parent(), object);
        EXPECT_EQ(object->indexOfChild(object->child(i)), i);
      }
    }
  }
  EXPECT_EQ(Object(First(), {0})->parent(), View(First()));
}

TEST_F(AccessibleTest, ACollapsedBlockHasNoChildrenAndShowsAsCollapsed) {
  SetDesign(EveryKind);
  QAccessibleInterface* block = Object(First(), {0, 6});
  QAccessibleInterface* inner = block->child(0);
  ASSERT_TRUE(inner);
  Click(First(), ElementOf(block));
  First().ChangeDisplay();
  EXPECT_EQ(block->childCount(), 0);
  EXPECT_TRUE(block->state().collapsed && !block->state().expanded);
  EXPECT_TRUE(inner->isValid()) << "still in the design";
  EXPECT_TRUE(inner->state().invisible);
  EXPECT_EQ(HeardFor(block), (std::vector{QAccessible::Focus, QAccessible::Selection,
                                          QAccessible::ObjectReorder}));
}

// Rectangles are worked out apart from drawing; they must agree with where drawing puts
// each element, scrolled both ways.
TEST_F(AccessibleTest, RectanglesAreWhereElementsAreDrawnOnScreen) {
  std::string design = std::string(EveryKind) + " A(" + std::string(300, 'w') + ")";
  for (int i = 0; i < 40; ++i) design += " A(s" + std::to_string(i) + ")";
  SetDesign(design + " I(z)[A(ja)|A(nein)]");
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    Trigger(view);
    const QScrollBar* h = First().view().horizontalScrollBar();
    const QScrollBar* v = First().view().verticalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    ASSERT_GT(v->maximum(), 0);
    First().SetScrollOffsets({h->maximum() / 3, v->maximum() / 2});
    const QWidget* viewport = First().view().viewport();
    const QRect client(QPoint(0, 0), viewport->size());
    int shown = 0, hidden = 0;
    for (QAccessibleInterface* object : All(First())) {
      const auto drawn = First().ClientRectOf(*ElementOf(object));
      ASSERT_TRUE(drawn);
      const QRect expected(viewport->mapToGlobal(drawn->topLeft()), drawn->size());
      EXPECT_EQ(object->rect(), expected) << object->text(QAccessible::Name).toStdString();
      const bool offscreen = object->state().offscreen;
      EXPECT_EQ(offscreen, !drawn->intersects(client));
      (offscreen ? hidden : shown)++;
    }
    EXPECT_GT(shown, 0);
    EXPECT_GT(hidden, 0);
    // The object under a point of the client area is the innermost drawn there.
    QAccessibleInterface* statement = Object(First(), {0, 0});
    First().SetScrollOffsets({0, 0});
    const QPoint on = statement->rect().center();
    QAccessibleInterface* found = View(First())->childAt(on.x(), on.y());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->childAt(on.x(), on.y()), statement) << view;
  }
}

TEST_F(AccessibleTest, TheSelectionIsAnnouncedOnClicksAndArrowKeys) {
  SetDesign("A(a) I(c)[A(y)|A(n)] A(z)");
  const auto announced = [&] {
    std::vector<TElement*> focused;
    for (const Heard& h : heard) {
      if (h.type == QAccessible::Focus) focused.push_back(ElementOf(h.object));
      if (h.type == QAccessible::Focus || h.type == QAccessible::Selection)
        EXPECT_TRUE(h.selected);
    }
    heard.clear();
    return focused;
  };
  auto* decision = static_cast<TIf*>(At({1}));
  Click(First(), At({1}));
  EXPECT_EQ(announced(), std::vector<TElement*>{decision});
  EXPECT_EQ(View(First())->focusChild()->text(QAccessible::Name), "Entscheidung: c");
  const std::pair<Qt::Key, TElement*> steps[] = {
      {Qt::Key_Left, decision->Branch(1)}, {Qt::Key_Up, decision},
      {Qt::Key_Right, decision->Branch(2)}, {Qt::Key_Down, At({1, 2, 0})},
      {Qt::Key_Down, At({2})}, {Qt::Key_Up, decision}};
  for (const auto& [key, selected] : steps) {
    Key(First(), key);
    EXPECT_EQ(announced(), std::vector<TElement*>{selected}) << key;
  }
  Key(First(), Qt::Key_Up);  // the element before the decision
  Key(First(), Qt::Key_Up);  // the shown block
  EXPECT_EQ(announced(), (std::vector<TElement*>{At({0}), &Root()}));
  Key(First(), Qt::Key_Up);
  EXPECT_TRUE(announced().empty()) << "nothing changed";
}

TEST_F(AccessibleTest, InsertDeleteAndTextEditsChangeTheTree) {
  SetDesign("A(a) A(b)");
  QAccessibleInterface* root = Object(First(), {0});
  QAccessibleInterface* first = root->child(0);
  ASSERT_EQ(root->childCount(), 2);
  Click(First(), At({0}));
  heard.clear();
  dialogs.ConfirmInput("neu := 1");
  Key(First(), Qt::Key_Insert);
  EXPECT_EQ(root->childCount(), 3);
  EXPECT_EQ(root->child(1)->text(QAccessible::Name), "Anweisung: neu := 1");
  const auto reordered = [&] { return HeardFor(root) == std::vector{QAccessible::ObjectReorder}; };
  EXPECT_TRUE(reordered());
  EXPECT_EQ(HeardFor(root->child(1)).at(0), QAccessible::Focus);

  heard.clear();
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(root->childCount(), 2);
  EXPECT_TRUE(reordered());

  heard.clear();
  Click(First(), At({0}));
  dialogs.ConfirmInput("a := 2");
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(first->text(QAccessible::Name), "Anweisung: a := 2");
  EXPECT_EQ(HeardFor(first), (std::vector{QAccessible::Focus, QAccessible::Selection,
                                          QAccessible::NameChanged}));
}

// Run under the sanitizers, this shows that an object never follows its freed element.
TEST_F(AccessibleTest, ObjectsOfElementsThatLeftAnswerAsInvalid) {
  SetDesign("A(a) B(b)[A(b1) I(c)[A(y)|]] A(z)");
  QAccessibleInterface* root = Object(First(), {0});
  QAccessibleInterface* block = root->child(1);
  QAccessibleInterface* inner = Object(First(), {0, 1, 1, 0, 0});
  ASSERT_EQ(inner->text(QAccessible::Name), "Anweisung: y");
  const auto gone = [](QAccessibleInterface* object) {
    return !object->isValid() && object->text(QAccessible::Name).isEmpty() &&
           object->childCount() == 0 && !object->child(0) && !object->parent() &&
           object->state().invalid && object->rect().isNull() && object->actionInterface() &&
           object->actionInterface()->actionNames().isEmpty();
  };
  Click(First(), At({1}));
  Key(First(), Qt::Key_Delete);
  EXPECT_TRUE(gone(block));
  EXPECT_TRUE(gone(inner));
  EXPECT_TRUE(root->isValid());
  EXPECT_EQ(root->childCount(), 2);

  // Undo replaces the whole design; a second window closes with it.
  QAccessibleInterface* last = root->child(1);
  Click(First(), &Root());
  TForm1* second = First().InneuemFensteranzeigen();
  ASSERT_TRUE(second);
  QAccessibleInterface* elsewhere = Object(*second, {0, 0});
  ASSERT_TRUE(elsewhere);
  Trigger("Rckgngig1");
  EXPECT_TRUE(gone(root));
  EXPECT_TRUE(gone(last));
  EXPECT_TRUE(gone(elsewhere));
  EXPECT_EQ(Tree(Object(First(), {0, 1})), "Block: b [Anweisung: b1, Entscheidung: c [Ja-Block "
                                           "[Anweisung: y], Nein-Block]]");
}

TEST_F(AccessibleTest, ActionsSelectEditAndCollapse) {
  SetDesign("A(a) B(b)[A(b1)]");
  QAccessibleInterface* statement = Object(First(), {0, 0});
  QAccessibleInterface* block = Object(First(), {0, 1});
  QAccessibleActionInterface* actions = statement->actionInterface();
  ASSERT_TRUE(actions);
  EXPECT_EQ(actions->actionNames(), (QStringList{"Auswählen", "Text bearbeiten"}));
  EXPECT_EQ(block->actionInterface()->actionNames(),
            (QStringList{"Auswählen", "Text bearbeiten", "Ein-/Ausklappen"}));

  actions->doAction("Auswählen");
  EXPECT_EQ(First().Options->SelectedElement(), At({0}));
  block->actionInterface()->doAction("Ein-/Ausklappen");
  EXPECT_TRUE(First().Options->IsCollapsed(At({1})));
  EXPECT_EQ(First().Options->SelectedElement(), At({1}));

  // The text box opens once the client's request is answered, through the command guard:
  // while it is open, another action is refused.
  dialogs.ConfirmInput("a := 1");
  dialogs.whileOpen = [&] { block->actionInterface()->doAction("Auswählen"); };
  actions->doAction("Text bearbeiten");
  EXPECT_TRUE(dialogs.inputCalls.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs.inputCalls.size(), 1u);
  EXPECT_EQ(dialogs.inputCalls[0].text, "a");
  EXPECT_EQ(At({0})->Text, "a := 1");
  EXPECT_EQ(First().Options->SelectedElement(), At({0}));
}

}  // namespace
}  // namespace editortest

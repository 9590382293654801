// The diagram as assistive technology sees it: the tree of accessible objects, their names,
// states and rectangles, the events that follow the selection and the design, the actions.
#include <QAccessible>
#include <QScrollBar>

#include "tests/editor/EditorTestSupport.h"
#include "window/AccessibleElement.h"

namespace editortest {
namespace {

using Events = std::vector<std::pair<QAccessible::Event, TElement*>>;
Events heard;
constexpr auto Focus = QAccessible::Focus;
constexpr auto Selection = QAccessible::Selection;
constexpr auto Reorder = QAccessible::ObjectReorder;
constexpr auto Renamed = QAccessible::NameChanged;

TElement* ElementOf(QAccessibleInterface* object) {
  auto* element = dynamic_cast<AccessibleElement*>(object);
  return element ? element->element() : nullptr;
}

// Each event as its type and element; focus only ever goes to the selected object.
void Listen(QAccessibleEvent* event) {
  QAccessibleInterface* object = event->accessibleInterface();
  const QAccessible::State state = object ? object->state() : QAccessible::State();
  EXPECT_TRUE(event->type() != Focus || (state.selected && state.focused));
  heard.emplace_back(event->type(), ElementOf(object));
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
  // The object at a path of child indices below the view.
  static QAccessibleInterface* Object(TForm1& window, std::initializer_list<int> path) {
    QAccessibleInterface* object = QAccessible::queryAccessibleInterface(&window.view());
    for (int index : path) object = object ? object->child(index) : nullptr;
    return object;
  }
  static std::string Tree(QAccessibleInterface* object) {
    std::string text = object->text(QAccessible::Name).toStdString();
    for (int i = 0, n = object->childCount(); i < n; ++i)
      text += (i ? ", " : " [") + Tree(object->child(i)) + (i + 1 == n ? "]" : "");
    return text;
  }
  // Every object below the view, parents first.
  static std::vector<QAccessibleInterface*> All(TForm1& window) {
    std::vector<QAccessibleInterface*> all{Object(window, {0})};
    for (std::size_t i = 0; i < all.size(); ++i)
      for (int c = 0; c < all[i]->childCount(); ++c) all.push_back(all[i]->child(c));
    return all;
  }
  static Events Heard() { return std::exchange(heard, {}); }
  static Events Selected(TElement* e) { return {{Focus, e}, {Selection, e}}; }
};

const char* const EveryKind =
    "A(x := 1) I(x > 0)[A(y)|] W(i < 10)[A(b)] F(i von 1 bis 10)[] D(k > 0)[] R(fertig)[] "
    "B(Eingabe)[A(lies x)]";

// In both views and at any zoom, scrolled both ways: the tree nests as the design, and the
// rectangles, worked out apart from drawing, are where each element is drawn and clicked.
TEST_F(AccessibleTest, TheTreeNestsAsTheDesignAndLiesWhereItIsDrawn) {
  std::string design = std::string(EveryKind) + " A(" + std::string(300, 'w') + ")";
  for (int i = 0; i < 40; ++i) design += " A(s" + std::to_string(i) + ")";
  SetDesign(design + " I(z)[A(ja)|A(nein)]");
  const std::string expected =
      "Block: " + Root().Text +
      " [Anweisung: x := 1, Entscheidung: x > 0 [Ja-Block [Anweisung: y], Nein-Block], "
      "Schleife (Test vorher): i < 10 [While-Block [Anweisung: b]], "
      "Zählschleife: i von 1 bis 10 [For-Block], Schleife (Test danach): k > 0 [DoWhile-Block], "
      "Schleife (Test danach, bis): fertig [RepeatUntil-Block], "
      "Block: Eingabe [Anweisung: lies x], Anweisung: www";
  const QWidget* viewport = First().view().viewport();
  const QScrollBar* h = First().view().horizontalScrollBar();
  const QScrollBar* v = First().view().verticalScrollBar();
  for (const char* view : {"Struktogramm1", "Flussdiagramm1"}) {
    Trigger(view);
    QAccessibleInterface* tree = Object(First(), {});
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    ASSERT_EQ(tree->childCount(), 1);
    EXPECT_EQ(Tree(tree->child(0)).substr(0, expected.size()), expected) << view;
    EXPECT_EQ(tree->child(0)->parent(), tree);
    for (const int percent : {100, 50, 200}) {
      SCOPED_TRACE(std::string(view) + " " + std::to_string(percent));
      First().SetZoom(percent, {});
      ASSERT_TRUE(h->maximum() > 0 && v->maximum() > 0);
      First().SetScrollOffsets({h->maximum() / 3, v->maximum() / 2});
      int hidden = 0;
      for (QAccessibleInterface* object : All(First())) {
        const QAccessible::State state = object->state();
        TElement* element = ElementOf(object);
        const bool block = dynamic_cast<TBlock*>(element) != nullptr;
        EXPECT_EQ(object->role(), QAccessible::TreeItem);
        EXPECT_TRUE(state.focusable && state.selectable && !state.selected && !state.invisible);
        EXPECT_TRUE(state.expandable == block && state.expanded == block);
        for (int i = 0; i < object->childCount(); ++i)
          EXPECT_TRUE(object->child(i)->parent() == object &&
                      object->indexOfChild(object->child(i)) == i);
        const auto drawn = First().ClientRectOf(*element);
        ASSERT_TRUE(drawn);
        EXPECT_EQ(object->rect(), QRect(viewport->mapToGlobal(drawn->topLeft()), drawn->size()));
        EXPECT_EQ(state.offscreen, !drawn->intersects(viewport->rect()));
        hidden += state.offscreen;
        const QPoint middle = drawn->center();  // a statement is clicked where it lies
        if (!dynamic_cast<TAnweisung*>(element) || state.offscreen) continue;
        EXPECT_EQ(First().ElementAtClientPoint(middle.x(), middle.y()), element);
      }
      EXPECT_GT(hidden, 0);
    }
    // The object under a point is the innermost drawn there.
    First().SetZoom(100, {});
    First().SetScrollOffsets({0, 0});
    QAccessibleInterface* statement = Object(First(), {0, 0});
    const QPoint on = statement->rect().center();
    EXPECT_EQ(tree->childAt(on.x(), on.y())->childAt(on.x(), on.y()), statement);
  }
  // A collapsed block has no children; what it holds stays valid but is not drawn.
  QAccessibleInterface* block = Object(First(), {0, 6});
  QAccessibleInterface* inner = block->child(0);
  Click(First(), At({6}));
  First().ChangeDisplay();
  EXPECT_EQ(block->childCount(), 0);
  EXPECT_TRUE(block->state().collapsed && !block->state().expanded);
  EXPECT_TRUE(inner->isValid() && inner->state().invisible);
  TElement* six = At({6});
  EXPECT_EQ(
      Heard(),
      (Events{{Focus, six}, {Selection, six}, {Reorder, six}, {QAccessible::StateChanged, six}}));
}

TEST_F(AccessibleTest, SelectionAndDesignChangesAreAnnounced) {
  SetDesign("A(a) I(c)[A(y)|A(n)] A(z)");
  auto* decision = static_cast<TIf*>(At({1}));
  First().view().setFocus();
  Click(First(), decision);
  EXPECT_EQ(Heard(), Selected(decision));
  EXPECT_EQ(Object(First(), {})->focusChild()->text(QAccessible::Name), "Entscheidung: c");
  for (const auto& [key, element] : std::vector<std::pair<Qt::Key, TElement*>>{
           {Qt::Key_Left, decision->Branch(1)},
           {Qt::Key_Up, decision},
           {Qt::Key_Up, At({0})},
           {Qt::Key_Up, &Root()},
           {Qt::Key_Up, nullptr}}) {  // at the top nothing changes
    Key(First(), key);
    EXPECT_EQ(Heard(), element ? Selected(element) : Events{}) << key;
  }
  // Coming back to the window announces the selection again; without the keyboard a window's
  // new selection is no focus.
  First().view().clearFocus();
  First().view().setFocus();
  EXPECT_EQ(Heard(), Selected(&Root()));
  First().view().clearFocus();
  First().Guarded([this] { First().FormKeyDown(TForm1::KeyDown); });
  EXPECT_EQ(Heard(), (Events{{Selection, At({0})}}));
  EXPECT_FALSE(Object(First(), {0, 0})->state().focused);
  First().view().setFocus();
  Key(First(), Qt::Key_Up);
  Heard();

  // A dropped element is announced where it lands.
  QAccessibleInterface* root = Object(First(), {0});
  TElement* a = At({0});
  Drag(First(), ClientPointOn(First(), a), ClientPointOn(First(), At({2})));
  ASSERT_EQ(Design(), "I(c)[A(y)|A(n)] A(z) A(a)");
  EXPECT_EQ(Heard(),
            (Events{{Focus, a}, {Selection, a}, {Reorder, &Root()}, {Focus, a}, {Selection, a}}));
  // A new element is announced as "???", then by the text typed into its box.
  dialogs.ConfirmInput("neu := 1");
  Key(First(), Qt::Key_Insert);
  ASSERT_EQ(root->childCount(), 4);
  EXPECT_EQ(root->child(3)->text(QAccessible::Name), "Anweisung: neu := 1");
  TElement* added = At({3});
  EXPECT_EQ(Heard(),
            (Events{{Focus, added}, {Selection, added}, {Reorder, &Root()}, {Renamed, added}}));
  Key(First(), Qt::Key_Delete);
  EXPECT_EQ(root->childCount(), 3);
  EXPECT_EQ(Heard(), (Events{{Reorder, &Root()}}));
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
           object->state().invalid && object->rect().isNull() &&
           object->actionInterface()->actionNames().isEmpty();
  };
  Click(First(), At({1}));
  Key(First(), Qt::Key_Delete);
  EXPECT_TRUE(gone(block) && gone(inner));
  EXPECT_TRUE(root->isValid() && root->childCount() == 2);
  // Undo replaces the whole design; a second window closes with it.
  QAccessibleInterface* last = root->child(1);
  Click(First(), &Root());
  TForm1* second = First().InneuemFensteranzeigen();
  ASSERT_TRUE(second);
  QAccessibleInterface* elsewhere = Object(*second, {0, 0});
  Trigger("Rckgngig1");
  EXPECT_TRUE(gone(root) && gone(last) && gone(elsewhere));
  EXPECT_EQ(Tree(Object(First(), {0, 1})),
            "Block: b [Anweisung: b1, Entscheidung: c [Ja-Block [Anweisung: y], Nein-Block]]");
}

TEST_F(AccessibleTest, ActionsSelectEditAndCollapseThroughTheCommandGuard) {
  SetDesign("A(a) B(b)[A(b1)]");
  QAccessibleActionInterface* statement = Object(First(), {0, 0})->actionInterface();
  QAccessibleActionInterface* block = Object(First(), {0, 1})->actionInterface();
  EXPECT_EQ(block->actionNames(), (QStringList{"Auswählen", "Text bearbeiten", "Ein-/Ausklappen"}));
  block->doAction("Ein-/Ausklappen");
  EXPECT_TRUE(First().Options->IsCollapsed(At({1})));
  EXPECT_EQ(First().Options->SelectedElement(), At({1}));
  // The text box opens once the client's request is answered; while it is open, another
  // action is refused.
  dialogs.ConfirmInput("a := 1");
  dialogs.whileOpen = [&] { block->doAction("Auswählen"); };
  statement->doAction("Text bearbeiten");
  EXPECT_TRUE(dialogs.inputCalls.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs.inputCalls.size(), 1u);
  EXPECT_EQ(At({0})->Text, "a := 1");
  EXPECT_EQ(First().Options->SelectedElement(), At({0}));
  dialogs.whileOpen = nullptr;
}

}  // namespace
}  // namespace editortest

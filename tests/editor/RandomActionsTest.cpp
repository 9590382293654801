// Thousands of random user actions on the whole editor: clicks, drags, keys, pop-up and
// main-menu commands with dialogs confirmed or cancelled, windows opened and closed. After
// every action the design, every window and the undo history must be sound, and the design
// must come back unchanged from its file bytes. Remembered sizes are verified against fresh
// measurements all along.
//
// TAVELON_MONKEY_SEED and TAVELON_MONKEY_ACTIONS choose another run (make monkey);
// TAVELON_MONKEY_TRACE prints every action; TAVELON_MONKEY_WATCHDOG (seconds, 120, 0 for none)
// ends a run whose action hangs, with its seed.
#include <unistd.h>

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <random>

#include "model/MeasureCache.h"
#include "model/Records.h"
#include "model/TreeQueries.h"
#include "platform/MemoryStream.h"
#include "shell/Conversions.h"
#include "shell/ForEdit.h"
#include "tests/editor/EditorTestSupport.h"
#include "window/Zoom.h"

namespace editortest {
namespace {

constexpr uint64_t DefaultSeed = 20261209;
constexpr long DefaultActions = 2500;

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

// The alarm, set anew before each action, ends a hanging run with its seed instead of stalling.
char hangReport[128];
void ReportHang(int) {
  [[maybe_unused]] const ssize_t written = write(2, hangReport, std::strlen(hangReport));
  std::abort();
}

// Dialogs answered at random: input boxes and the counting-loop dialog ended every way, file
// dialogs choose the run's design file or cancel, printing is cancelled. Before some answers
// whileOpen delivers other commands, as an accessibility bridge may while a dialog is open.
class RandomDialogs : public Dialogs {
 public:
  explicit RandomDialogs(std::mt19937_64& random) : random_(random) {}

  int messages = 0;
  std::string designFile;
  std::function<void()> whileOpen;

  bool InputQuery(const std::string&, const std::string&, std::string& text) override {
    Interrupt();
    switch (Pick(4)) {
      case 0:
        return false;
      case 1:
        return true;
      default:
        text = RandomText();
        return true;
    }
  }
  void ShowMessage(MessageKind, const std::string&, const std::string&) override { ++messages; }
  bool Execute(FileDialog& dialog) override {
    Interrupt();
    if (designFile.empty() || Pick(2) == 0) return false;
    return dialog.FileName = designFile, true;
  }
  bool ExecutePrintDialog(Printer&) override { return Interrupt(), false; }
  int ShowModal(ModalWindow& window) override {
    Interrupt();
    auto& dialog = dynamic_cast<TForm3&>(window);
    dialog.Edit1->setText(QString::fromLatin1(RandomText()));
    switch (Pick(3)) {
      case 0:
        dialog.Button1Click();
        return LoopTextDialog::Confirmed;
      case 1:
        dialog.Button2Click();
        return LoopTextDialog::Cancelled;
      default:
        return LoopTextDialog::Closed;
    }
  }

  std::string RandomText() {
    static const std::string words[] = {"x := 1", "i < n", "", "Anweisung", "(a)", "ja",
                                        "Gr\xF6\xDF" "e", "\x01", std::string(1, '\0')};
    std::string text;
    for (int i = Pick(4); i > 0; --i) {
      text += words[Pick(std::size(words))];
      if (Pick(8) == 0) text += static_cast<char>(Pick(256));
    }
    if (Pick(200) == 0) text += std::string(3000, 'w');
    return text;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void Interrupt() {
    if (whileOpen && Pick(5) == 0) whileOpen();
  }
  std::mt19937_64& random_;
};

// Every element of the sequence and everything below it, branch blocks included.
void Collect(TElement* first, std::vector<TElement*>& out) {
  for (TElement* e = first; e; e = e->Next) {
    out.push_back(e);
    if (auto* block = dynamic_cast<TBlock*>(e)) {
      Collect(block->Body, out);
    } else if (auto* structure = dynamic_cast<TBedingung*>(e)) {
      for (int32_t i = 1; i <= structure->BranchCount; ++i) {
        out.push_back(structure->Branch(i));
        Collect(structure->Branch(i)->Body, out);
      }
    }
  }
}

// Why the tree below root is not well formed, or empty.
std::string TreeFault(const TBlock& root) {
  std::unordered_set<const TElement*> seen;
  std::string fault;
  const std::function<void(const TElement*, bool)> visit = [&](const TElement* first, bool branch) {
    for (const TElement* e = first; e && fault.empty(); e = e->Next) {
      if (!seen.insert(e).second) {
        fault = "an element is reached twice: " + e->Text;
        return;
      }
      if (!branch && e->Movable != 1) fault = "an element in a sequence is not movable: " + e->Text;
      if (const auto* structure = dynamic_cast<const TBedingung*>(e)) {
        const int32_t expected = dynamic_cast<const TIf*>(e) ? 2 : 1;
        if (structure->BranchCount != expected) fault = "wrong branch count: " + e->Text;
        for (int32_t i = 1; i <= structure->BranchCount && fault.empty(); ++i) {
          const TBlock* block = structure->Branch(i);
          if (!block) {
            fault = "a missing branch block: " + e->Text;
          } else if (block->Movable != 0 || block->Next) {
            fault = "a branch block that can move or has a successor: " + e->Text;
          } else if (!seen.insert(block).second) {
            fault = "a branch block is reached twice";
          } else {
            visit(block->Body, false);
          }
        }
      } else if (const auto* block = dynamic_cast<const TBlock*>(e)) {
        visit(block->Body, false);
      }
    }
  };
  if (root.Movable != 0 || root.Braced != 0) return "the root block can move or is braced";
  if (root.Next) return "the root block has a successor";
  seen.insert(&root);
  visit(root.Body, false);
  if (!fault.empty()) return fault;
  if (root.Body && NestingDepth(*root.Body) > MaxNestingDepth) return "nested too deep";
  return {};
}

class RandomActionsTest : public EditorTest {
 protected:
  std::mt19937_64 random;
  std::unique_ptr<RandomDialogs> randomDialogs;
  std::deque<std::string> recent;  // the last actions, for the report of a failure
  QTemporaryDir folder;
  std::deque<QAccessible::Id> accessibleIds_;

  void SetUp() override {
    MeasureCache::Verify = true;
    EditorTest::SetUp();
  }
  void TearDown() override {
    alarm(0);
    EditorTest::TearDown();
    MeasureCache::Verify = false;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  bool Chance(int percent) { return Pick(100) < percent; }

  TForm1& AnyWindow() {
    const std::vector<TForm1*> windows = form->DiagramWindows();
    return *windows[Pick(static_cast<int>(windows.size()))];
  }

  // A client point of window: on a random element it shows, or anywhere.
  QPoint AnyPoint(TForm1& window) {
    const QSize client = window.view().viewport()->size();
    if (Chance(70)) {
      std::vector<TElement*> elements{window.ShownBlock};
      Collect(window.ShownBlock->Body, elements);
      TElement* element = elements[Pick(static_cast<int>(elements.size()))];
      if (const auto origin = DocumentOrigin(window, element)) {
        const QPoint scroll = window.ScrollOffsets();
        const int x = origin->x + (window.Options->Flowchart ? Pick(21) - 10 : Pick(20));
        const int y = origin->y + Pick(12);
        const QPoint point(x - scroll.x(), y - scroll.y());
        if (window.view().viewport()->rect().contains(point)) return point;
      }
    }
    return {Pick(client.width()), Pick(client.height())};
  }

  // Whether the client points lie within the main window, where the platform delivers events,
  // and the press (the first) on window's own client area, not on another window's title bar,
  // whose system menu would wait for a click.
  static bool OnScreen(TForm1& window, std::initializer_list<QPoint> points) {
    QWidget* top = window.window();
    QWidget* viewport = window.view().viewport();
    for (const QPoint point : points)
      if (!top->rect().contains(viewport->mapTo(top, point))) return false;
    return top->childAt(viewport->mapTo(top, *points.begin())) == viewport;
  }

  void Note(std::string action) {
    // A stale remembered size aborts at once; TAVELON_MONKEY_TRACE shows the way there.
    static const bool trace = qEnvironmentVariableIsSet("TAVELON_MONKEY_TRACE");
    if (trace) std::cerr << "action: " << action << std::endl;
    recent.push_back(std::move(action));
    if (recent.size() > 25) recent.pop_front();
  }

  void PopupCommand(TForm1& window) {
    static const char* const items[] = {
        "Anweisung", "IfAnweisung", "WhileSchleife", "DoWhileSchleife", "RepeatUntilSchleife",
        "ForSchleife", "Textbearbeiten1", "Genauerbestimmen1", "Lschen1",
        "Anzeigeverkleinernvergrern1", "InneuemFensteranzeigen1"};
    const QPoint point = AnyPoint(window);
    QTest::mousePress(window.view().viewport(), Qt::RightButton, Qt::NoModifier, point);
    QTest::mouseRelease(window.view().viewport(), Qt::RightButton, Qt::NoModifier, point);
    window.PopupMenu1->hide();
    const char* item = items[Pick(std::size(items))];
    Note(std::string("pop-up ") + item);
    Popup(window, item);
  }

  void MenuCommand() {
    static const char* const items[] = {
        "Anweisung", "IfAnweisung", "WhileSchleife", "DoWhileSchleife", "ForSchleife",
        "Rckgngig1", "Rckgngig1", "Blockvergrern1", "BlockinneuemFensteranzeigen1",
        "Struktogramm1", "Flussdiagramm1", "Neu1", "AusZwischenablageeinfgen1",
        "InZwischenablage1"};
    const char* item = items[Pick(std::size(items))];
    if (std::string(item) == "Neu1" && Pick(5) != 0) item = "Rckgngig1";
    Note(std::string("menu ") + item);
    Trigger(item);
  }

  void KeyPress(TForm1& window) {
    static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::NoModifier},
        {Qt::Key_Left, Qt::NoModifier},   {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},     {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Down, Qt::NoModifier},   {Qt::Key_Insert, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_A, Qt::NoModifier}};
    const auto& [key, modifiers] = keys[Pick(std::size(keys))];
    Note("key " + QKeySequence(key | modifiers).toString().toStdString());
    Key(window, key, modifiers);
  }

  void MouseAction(TForm1& window) {
    const QPoint from = AnyPoint(window);
    switch (Pick(5)) {
      case 0:
      case 1:
        Note("click");
        Press(window, from);
        break;
      case 2:
        Note("double click");
        QTest::mouseDClick(window.view().viewport(), Qt::LeftButton, Qt::NoModifier, from);
        break;
      default: {
        const Qt::MouseButton button = Chance(75) ? Qt::LeftButton : Qt::RightButton;
        const QPoint to = AnyPoint(window);
        const QPoint between = AnyPoint(window);
        if (Chance(30) && OnScreen(window, {from, between, to})) {
          // The platform's way: the pop-up menu may open and hold the mouse.
          Note(button == Qt::LeftButton ? "left drag by the platform" : "right drag by the platform");
          UserPress(window, from, button);
          UserMove(window, between);
          UserMove(window, to);
          UserRelease(window, to, button);
        } else {
          Note(button == Qt::LeftButton ? "left drag" : "right drag");
          DragPress(window, from, button);
          DragMove(window, between, button);
          DragMove(window, to, button);
          DragRelease(window, to, button);
        }
        window.PopupMenu1->hide();
        break;
      }
    }
  }

  // A command that replaces the design (loading the one saved some time ago), taken back.
  void ReplaceAndUndo() {
    const char* items[] = {"Neu1", "Struktogrammladen1", "AusZwischenablageeinfgen1",
                           "Struktogrammspeichern1"};
    const char* item = items[Pick(std::size(items))];
    Note(std::string("menu ") + item + ", then Rckgngig1");
    Trigger(item);
    Trigger("Rckgngig1");
  }

  // Opens a window on a movable block, at times deletes what holds it in the first window
  // (which must close the window), and drags onto the block's free area: its own hit with
  // "after", sought on a coarse grid.
  void OnABlocksWindow() {
    std::vector<TElement*> blocks;
    Collect(Root().Body, blocks);
    std::erase_if(blocks, [](TElement* e) { return !dynamic_cast<TBlock*>(e) || !e->Movable; });
    if (blocks.empty()) return;
    Note("open a window on a block");
    First().Options->ClearSelection();
    First().Options->Select(blocks[Pick(static_cast<int>(blocks.size()))]);
    QPointer<TForm1> window = First().InneuemFensteranzeigen();
    TElement* holder = Root().Body;
    while (holder && window && !Contains(*holder, window->ShownBlock)) holder = holder->Next;
    if (holder && Chance(50)) {
      Note("delete under a window, then drop on its free area");
      First().Options->ClearSelection();
      First().Options->Select(holder);
      Key(First(), Qt::Key_Delete);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (!window) return;
    const QSize client = window->view().viewport()->size();
    std::vector<QPoint> freeArea;
    for (int y = 0; y < client.height(); y += 6)
      for (int x = 0; x < client.width(); x += 6)
        if (window->ElementAtClientPoint(x, y) == window->ShownBlock &&
            window->Options->DropAfter == 1)
          freeArea.emplace_back(x, y);
    if (freeArea.empty()) return;
    Note("drop on the shown block's free area");
    Drag(*window, AnyPoint(*window), freeArea[Pick(static_cast<int>(freeArea.size()))]);
  }

  // Commands the platform may deliver while a dialog is open; each must be refused.
  void Interrupt() {
    const char* items[] = {"Neu1",      "Rckgngig1",          "AusZwischenablageeinfgen1",
                           "Anweisung", "Struktogrammladen1", "Programmbeenden1"};
    const auto state = [&] {
      return std::tuple(&Root(), Design(), States(), form->DiagramWindows().size());
    };
    const auto before = state();
    const std::string during = recent.back();
    TForm1& window = AnyWindow();
    const char* item = items[Pick(std::size(items))];
    const std::pair<std::string, std::function<void()>> commands[] = {
        {std::string("menu ") + item, [&] { Trigger(item); }},
        {"pop-up", [&] { Popup(window, Chance(50) ? "Lschen1" : "Anweisung"); }},
        {"tool bar", [&] { form->Button("BAnweisung")->click(); }},
        {"key", [&] { Key(window, Chance(50) ? Qt::Key_Delete : Qt::Key_Return); }},
        {"close a window", [&] {
           window.close();
           QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }}};
    const auto& [name, command] = commands[Pick(std::size(commands))];
    Note("  while a dialog is open: " + name);
    command();
    if (state() != before)
      ADD_FAILURE() << "a command ran while a dialog was open, during: " << during;
  }

  // A screen reader walks a window's accessible tree, then reads every object met so far by its
  // id, as the desktop's bridge does: each is gone, invalid or sound.
  void ReadAccessibleTree(TForm1& window) {
    std::vector<QAccessibleInterface*> walk{QAccessible::queryAccessibleInterface(&window.view())};
    for (std::size_t i = 0; i < walk.size() && walk.size() < 200; ++i)
      for (int c = 0; c < walk[i]->childCount(); ++c) walk.push_back(walk[i]->child(c));
    for (QAccessibleInterface* object : walk)
      accessibleIds_.push_back(QAccessible::uniqueId(object));
    while (accessibleIds_.size() > 1000) accessibleIds_.pop_front();
    for (const QAccessible::Id id : accessibleIds_) {
      QAccessibleInterface* object = QAccessible::accessibleInterface(id);
      if (!object || !object->isValid()) continue;
      object->text(QAccessible::Name), object->rect(), object->state();
      for (int c = 0; c < object->childCount(); ++c) object->child(c)->parent();
    }
  }

  void WindowAction() {
    TForm1& window = AnyWindow();
    switch (Pick(5)) {
      case 2:
        Note("zoom");
        window.SetZoom(zoom::Steps[Pick(std::size(zoom::Steps))], {Pick(300), Pick(300)});
        break;
      case 3:
        Note("read the accessible tree");
        ReadAccessibleTree(window);
        break;
      case 0:
        Note("close a window");
        window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        break;
      case 1:
        Note("activate a window");
        if (window.isMinimized()) window.showNormal();
        form->MdiArea->setActiveSubWindow(&window);
        break;
      default:
        Note("scroll");
        window.SetScrollOffsets({Pick(400), Pick(800)});
        break;
    }
  }

  // Keeps the design small enough for thousands of actions: a large one is started anew.
  void KeepSmall() {
    std::vector<TElement*> elements;
    Collect(Root().Body, elements);
    if (elements.size() > 150) {
      Note("menu Neu1 (large design)");
      Trigger("Neu1");
    }
  }

  void Act() {
    KeepSmall();
    TForm1& window = AnyWindow();
    const int kind = Pick(100);
    if (kind < 30)
      MouseAction(window);
    else if (kind < 55)
      KeyPress(window);
    else if (kind < 75)
      PopupCommand(window);
    else if (kind < 90)
      MenuCommand();
    else if (kind < 92)
      ReplaceAndUndo();
    else if (kind < 96)
      OnABlocksWindow();
    else
      WindowAction();
    if (Chance(10)) clipboard.text = Chance(50) ? ExportProgramText(Root()) : randomDialogs->RandomText();
  }

  // Everything that must hold after any action; the reason it does not, or empty.
  std::string Fault() {
    if (std::string fault = TreeFault(Root()); !fault.empty()) return "design: " + fault;
    if (form->WaitingToBeFreed() != 0) return "deleted elements are kept after the command";
    if (form->FirstWindow()->ShownBlock != &Root())
      return "the first window does not show the root";
    for (TForm1* window : form->DiagramWindows()) {
      if (!Contains(Root(), window->ShownBlock)) return "a window shows a block outside the design";
      const TDisplayOptions& options = *window->Options;
      if (options.SelectionCount() > 1) return "more than one element selected";
      if (options.SelectedElement() && !Contains(*window->ShownBlock, options.SelectedElement()))
        return "a selection outside the window's block";
      if (options.DropTarget && !Contains(*window->ShownBlock, options.DropTarget))
        return "a drop target outside the window's block";
      for (const TElement* collapsed : options.Collapsed)
        if (!Contains(*window->ShownBlock, collapsed)) return "a collapsed block outside the window";
    }
    const UndoHistory& history = form->UndoStates;
    if (history.Count() > UndoHistory::Capacity) return "more than ten states";
    if (history.UndoPosition() > history.Count()) return "the undo position lies past the states";
    for (int32_t i = 1; i <= history.Count(); ++i) {
      if (!history.HasState(i)) return "an empty position before a full one";
      if (std::string fault = TreeFault(*history.StateCopy(i)); !fault.empty())
        return "state " + std::to_string(i) + ": " + fault;
    }
    MemoryStream file(SaveDesignBytes(Root()));
    const BlockPtr read = LoadRootBlock(file);
    if (RenderBody(*read) != RenderBody(Root()) || read->Text != Root().Text)
      return "the design does not come back from its file bytes";
    return {};
  }
};

TEST_F(RandomActionsTest, TheEditorStaysSoundThroughRandomActions) {
  const auto seed = static_cast<uint64_t>(FromEnvironment("TAVELON_MONKEY_SEED", DefaultSeed));
  const long actions = FromEnvironment("TAVELON_MONKEY_ACTIONS", DefaultActions);
  std::cerr << "random actions: seed " << seed << ", " << actions << " actions" << std::endl;
  random.seed(seed);
  const long watchdogSeconds = FromEnvironment("TAVELON_MONKEY_WATCHDOG", 120);
  std::signal(SIGALRM, ReportHang);
  randomDialogs = std::make_unique<RandomDialogs>(random);
  ASSERT_TRUE(folder.isValid());
  randomDialogs->designFile = folder.filePath("entwurf.str").toStdString();
  randomDialogs->whileOpen = [this] { Interrupt(); };
  form.reset();
  form = std::make_unique<TForm2>(EditorServices{*randomDialogs, printer, clipboard});
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  SetDesign("A(a) I(c)[A(y)|B(b)[A(n)]] W(w)[A(x)] D(d)[] F(i von 1 bis 3)[A(f)] A(z)");
  long changes = 0;
  std::size_t largest = 0, mostWindows = 0;
  for (long i = 0; i < actions; ++i) {
    std::snprintf(hangReport, sizeof hangReport,
                  "random actions: seed %llu, action %ld has not ended after %ld s\n",
                  static_cast<unsigned long long>(seed), i, watchdogSeconds);
    alarm(static_cast<unsigned>(watchdogSeconds));
    const std::string before = Design();
    Act();
    QCoreApplication::processEvents();
    changes += Design() != before;
    std::vector<TElement*> elements;
    Collect(Root().Body, elements);
    largest = std::max(largest, elements.size());
    mostWindows = std::max(mostWindows, form->DiagramWindows().size());
    if (const std::string fault = Fault(); !fault.empty()) {
      std::string last;
      for (const std::string& action : recent) last += "\n  " + action;
      FAIL() << "seed " << seed << ", action " << i << ": " << fault << "\nlast actions:" << last;
    }
  }
  randomDialogs->whileOpen = nullptr;
  alarm(0);
  std::cerr << "random actions: " << changes << " changed the design, the largest had " << largest
            << " elements, at most " << mostWindows << " windows were open" << std::endl;
  // A run whose actions miss everything proves nothing.
  EXPECT_GT(changes, actions / 10);
}

}  // namespace
}  // namespace editortest

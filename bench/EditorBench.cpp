// Benchmarks of the editor itself: a main window with real diagram windows on the offscreen
// platform, dialogs answered at once, each command measured until every window has painted.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "bench/BenchDesigns.h"
#include "bench/BenchDialogs.h"
#include "model/Anweisung.h"
#include "model/DesignChange.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtPrinter.h"
#include "shell/Conversions.h"
#include "shell/Hauptfenster.h"
#include "window/AccessibleDiagram.h"
#include "window/DiagramPrint.h"
#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace {

constexpr int64_t Size = 100000;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The editor on a copy of a generated design, its main window large enough that a diagram
// window of the design size lies wholly inside the window area.
class Editor {
 public:
  BenchDialogs dialogs;
  NoPrinter printer;
  QtClipboard clipboard;
  std::unique_ptr<TForm2> form;

  explicit Editor(const TBlock& design) {
    form = std::make_unique<TForm2>(EditorServices{dialogs, printer, clipboard});
    form->RootBlock.reset(static_cast<TBlock*>(design.CreateCopy()));
    form->RootBlock->Movable = 0;
    form->RootBlock->Braced = 0;
    form->resize(1100, 800);
    form->show();
    form->activateWindow();
    for (int i = 0; i < 100 && !(form->windowHandle() && form->windowHandle()->isExposed()); ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    Settle();
  }
  ~Editor() {
    form.reset();
    Settle();
  }

  TForm1& First() { return *form->FirstWindow(); }
  TBlock& Root() { return *form->RootBlock; }
  void Trigger(const char* component) { form->Item(component)->trigger(); }
  // Lets closed windows go and pending events be handled.
  static void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  // Paints every diagram window at once.
  void PaintAll() {
    for (TForm1* window : form->DiagramWindows()) window->Repaint();
  }
  // A further window on the whole design, opened from the first one.
  TForm1* OpenWindowOnRoot() {
    First().Options->ClearSelection();
    First().Options->Select(&Root());
    TForm1* window = First().InneuemFensteranzeigen();
    Settle();
    return window;
  }
  bool Failed(benchmark::State& state) {
    if (dialogs.messages.empty()) return false;
    state.SkipWithError(dialogs.messages.front().c_str());
    return true;
  }
};

void ScrollToMiddle(TForm1& window) {
  const QScrollBar* h = window.view().horizontalScrollBar();
  const QScrollBar* v = window.view().verticalScrollBar();
  window.SetScrollOffsets({h->maximum() / 2, v->maximum() / 2});
}

// Times "Rückgängig" with two windows open, after prepare has recorded the state it restores.
void TimeUndo(Editor& editor, benchmark::State& state, const std::function<void()>& prepare) {
  for (auto _ : state) {
    state.PauseTiming();
    if (editor.form->DiagramWindows().size() < 2) editor.OpenWindowOnRoot();
    prepare();
    state.ResumeTiming();
    editor.Trigger("Rckgngig1");
    editor.PaintAll();
    state.PauseTiming();
    Editor::Settle();
    state.ResumeTiming();
  }
}

void SelectOnly(TForm1& window, TElement* element) {
  window.Options->ClearSelection();
  window.Options->Select(element);
}

// A statement of the root's body near its middle that has a predecessor there.
TElement* MiddleStatement(TBlock& root) {
  std::vector<TElement*> statements;
  for (TElement* e = root.Body; e; e = e->Next)
    if (e != root.Body && dynamic_cast<TAnweisung*>(e)) statements.push_back(e);
  return statements.empty() ? nullptr : statements[statements.size() / 2];
}

TElement* PredecessorIn(TBlock& root, TElement* element) {
  for (TElement* e = root.Body; e; e = e->Next)
    if (e->Next == element) return e;
  return nullptr;
}

// The first statement, in reading order, that another statement follows.
TElement* FirstStatementPair(TElement* first) {
  for (TElement* e = first; e; e = e->Next) {
    if (dynamic_cast<TAnweisung*>(e) && dynamic_cast<TAnweisung*>(e->Next)) return e;
    for (int32_t i = 0; i < e->ContentCount(); ++i)
      if (TElement* found = FirstStatementPair(e->Content(i))) return found;
  }
  return nullptr;
}

// Where element is drawn in window's client area, as the window's drawing records it for
// the selected element.
QRect DrawnRect(TForm1& window, TElement* element) {
  SelectOnly(window, element);
  window.Repaint();
  const TRect& r = window.Options->SelectionRect;
  return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

// Scrolls window so that element and the statement after it show and returns a client point
// on each.
std::optional<std::pair<QPoint, QPoint>> ShowPair(TForm1& window, TElement* upper) {
  const QRect first = DrawnRect(window, upper);
  window.SetScrollOffsets(window.ScrollOffsets() + first.topLeft() - QPoint(40, 40));
  const QPoint from = DrawnRect(window, upper).center();
  const QPoint to = DrawnRect(window, upper->Next).center();
  if (window.ElementAtClientPoint(from.x(), from.y()) != upper ||
      window.ElementAtClientPoint(to.x(), to.y()) != upper->Next)
    return std::nullopt;
  return std::pair{from, to};
}

void RegisterEditor(const std::string& name,
                    const std::function<void(benchmark::State&, DesignShape)>& body) {
  for (DesignShape shape : AllShapes)
    benchmark::RegisterBenchmark((name + "/" + ShapeName(shape) + "/" + std::to_string(Size)).c_str(),
                                 [=](benchmark::State& state) { body(state, shape); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// One diagram window of the design size at a zoom, scrolled to the middle of the design, paints.
void WindowPaint(benchmark::State& state, bool flowchart, int zoomPercent, DesignShape shape) {
  Editor editor(SharedDesign(shape, Size));
  if (!flowchart) editor.Trigger("Struktogramm1");
  TForm1& window = editor.First();
  window.SetZoom(zoomPercent, {});
  ScrollToMiddle(window);
  window.Repaint();
  PaintCounter counter;
  window.view().viewport()->installEventFilter(&counter);
  int64_t iterations = 0;
  for (auto _ : state) {
    window.Repaint();
    ++iterations;
  }
  window.view().viewport()->removeEventFilter(&counter);
  if (counter.paints < iterations) state.SkipWithError("the window did not paint");
  editor.Failed(state);
}

// Three windows on the whole design; the view changes back and forth.
void ViewSwitch(benchmark::State& state, DesignShape shape) {
  Editor editor(SharedDesign(shape, Size));
  editor.OpenWindowOnRoot();
  editor.OpenWindowOnRoot();
  bool flowchart = true;
  for (auto _ : state) {
    flowchart = !flowchart;
    editor.Trigger(flowchart ? "Flussdiagramm1" : "Struktogramm1");
  }
  editor.Failed(state);
}

// "Rückgängig" with one window, a state recorded before each step.
void Undo(benchmark::State& state, DesignShape shape) {
  Editor editor(SharedDesign(shape, Size));
  for (auto _ : state) {
    state.PauseTiming();
    editor.form->SaveUndoState();
    state.ResumeTiming();
    editor.Trigger("Rckgngig1");
    editor.PaintAll();
  }
  editor.Failed(state);
}

// An accessibility client in the program: it hears every event and ignores it.
class AccessibilityClient {
 public:
  AccessibilityClient() {
    QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
    QAccessible::setActive(true);
  }
  ~AccessibilityClient() {
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }
};

// Asks every element on window's screenful for its children, as a screen reader reviewing
// the screen does: from the view down, into each child that lies on screen. The elements of
// a body are stacked from top to bottom, so those on screen are found by halving; the
// branches of a decision lie side by side and are all looked at. Returns how many objects
// were looked at.
int64_t WalkScreenful(TForm1& window) {
  const QWidget* viewport = window.view().viewport();
  const QRect screen(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  int64_t looked = 0;
  std::vector<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(&window.view())};
  while (!pending.empty()) {
    QAccessibleInterface* object = pending.back();
    pending.pop_back();
    const int count = object->childCount();
    int low = 0, high = count > 2 ? count : 0;
    while (low < high) {
      const int middle = (low + high) / 2;
      if (object->child(middle)->rect().bottom() < screen.top())
        low = middle + 1;
      else
        high = middle;
    }
    for (int i = low; i < count; ++i) {
      QAccessibleInterface* child = object->child(i);
      ++looked;
      const QRect r = child->rect();
      if (r.top() > screen.bottom()) break;
      if (r.intersects(screen)) pending.push_back(child);
    }
  }
  return looked;
}

// One window of the design size in the structogram view, scrolled down to the middle of the
// design, where the deep design's nested blocks begin at the left; each walk follows a
// change, so nothing worked out before holds.
void AccessibleWalk(benchmark::State& state, DesignShape shape) {
  Editor editor(SharedDesign(shape, Size));
  editor.Trigger("Struktogramm1");
  AccessibilityClient client;
  TForm1& window = editor.First();
  window.SetScrollOffsets({0, window.view().verticalScrollBar()->maximum() / 2});
  int64_t looked = WalkScreenful(window);
  for (auto _ : state) {
    state.PauseTiming();
    window.view().accessible().DesignChanged();
    state.ResumeTiming();
    looked = WalkScreenful(window);
  }
  state.counters["objects"] = double(looked);
  state.counters["cached"] = double(window.view().accessible().LiveObjects());
  if (looked < 3) state.SkipWithError("nothing on screen");
  editor.Failed(state);
}

// The editing commands with the design in two windows; the command goes to the second one.
void Command(benchmark::State& state, std::string command, DesignShape shape) {
  Editor editor(SharedDesign(shape, Size));
  TForm1* window = editor.OpenWindowOnRoot();
  TElement* target = MiddleStatement(editor.Root());
  if (!target) {
    state.SkipWithError("the design has no statement to work on");
    return;
  }
  // "-listened": an accessibility client listens and has read the screenful around the
  // target; the windows learn of the changes the benchmark makes itself between steps.
  std::optional<AccessibilityClient> client;
  if (command.ends_with("-listened")) {
    command.resize(command.size() - std::string_view("-listened").size());
    client.emplace();
    SelectOnly(*window, target);
    window->ScrollToSelection();
    WalkScreenful(*window);
  }
  const auto settle = [&] {
    if (client) editor.form->RefreshAll();
  };
  if (command == "insert") {
    SelectOnly(*window, target);
    for (auto _ : state) {
      editor.Trigger("Anweisung");
      state.PauseTiming();
      TElement* inserted = target->Next;
      if (!dynamic_cast<TAnweisung*>(inserted) || inserted->Text != "neu := 1") {
        state.SkipWithError("nothing was inserted");
        break;
      }
      {
        DesignChange change;
        editor.Root().RemoveElement(inserted);
        DisposeElement(inserted);
        change.Finish({&editor.Root()});
      }
      settle();
      SelectOnly(*window, target);
      state.ResumeTiming();
    }
  } else if (command == "edit") {
    editor.dialogs.inputTexts = {"x := 1", "x := 2"};
    SelectOnly(*window, target);
    for (auto _ : state) window->Textbearbeiten();
  } else if (command == "delete") {
    TElement* before = PredecessorIn(editor.Root(), target);
    SelectOnly(*window, target);
    for (auto _ : state) {
      window->Loeschen();
      state.PauseTiming();
      {
        DesignChange change;
        target = new TAnweisung("x := 1");
        LinkAfter(*before, target);
        change.Finish({&editor.Root()});
      }
      settle();
      SelectOnly(*window, target);
      state.ResumeTiming();
    }
  } else if (command == "drop") {
    TElement* upper = FirstStatementPair(editor.Root().Body);
    const auto points = upper ? ShowPair(*window, upper) : std::nullopt;
    if (!points) {
      state.SkipWithError("no two statements to drag");
      return;
    }
    TElement* lower = upper->Next;
    const auto [from, to] = *points;
    // Each drop moves the upper of the two statements behind the lower one.
    const auto drop = [&] {
      window->FormMouseDown(TForm1::Button::Left, from.x(), from.y(), false);
      window->FormMouseMove(to.x(), to.y());
      window->FormMouseUp(TForm1::Button::Left, to.x(), to.y());
    };
    drop();
    if (lower->Next != upper) {
      state.SkipWithError("the statement was not moved");
      return;
    }
    for (auto _ : state) drop();
  } else if (command == "undo") {
    TimeUndo(editor, state, [&] { editor.form->SaveUndoState(); });
  } else if (command == "undo-after-load") {
    // The design the load replaced comes back; the loaded one is freed.
    QTemporaryDir folder;
    const std::string file = QDir(folder.path()).filePath("entwurf.str").toStdString();
    std::ofstream(file, std::ios::binary) << SaveDesignBytes(editor.Root());
    editor.dialogs.fileName = file;
    TimeUndo(editor, state, [&] {
      editor.Trigger("Struktogrammladen1");
      editor.PaintAll();
      Editor::Settle();
    });
  } else if (command == "down") {
    SelectOnly(*window, &editor.Root());
    for (auto _ : state) window->FormKeyDown(TForm1::KeyDown);
  }
  editor.Failed(state);
}

// The file and clipboard commands with one window, on real files in a temporary folder and
// the application's clipboard.
void FileCommand(benchmark::State& state, const std::string& command, DesignShape shape) {
  const TBlock& design = SharedDesign(shape, Size);
  Editor editor(design);
  QTemporaryDir folder;
  const std::string designFile = QDir(folder.path()).filePath("entwurf.str").toStdString();
  const std::string textFile = QDir(folder.path()).filePath("entwurf.pas").toStdString();
  if (command == "load") {
    std::ofstream(designFile, std::ios::binary) << SaveDesignBytes(design);
    editor.dialogs.fileName = designFile;
    for (auto _ : state) {
      editor.Trigger("Struktogrammladen1");
      editor.PaintAll();
    }
  } else if (command == "save") {
    editor.dialogs.fileName = designFile;
    for (auto _ : state) editor.Trigger("Struktogrammspeichern1");
  } else if (command == "export") {
    editor.dialogs.fileName = textFile;
    for (auto _ : state) editor.Trigger("Exportieren1");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(textFile));
  } else if (command == "copy") {
    for (auto _ : state) editor.Trigger("InZwischenablage1");
    state.counters["chars"] = static_cast<double>(QGuiApplication::clipboard()->text().size());
  } else if (command == "paste") {
    editor.Trigger("InZwischenablage1");
    for (auto _ : state) {
      editor.Trigger("AusZwischenablageeinfgen1");
      editor.PaintAll();
    }
  }
  editor.Failed(state);
}

// "Drucken" of the first window's design of 1,000 elements into a PDF file: pages laid out and
// drawn.
void Print(benchmark::State& state, DesignShape shape) {
  Editor editor(SharedDesign(shape, 1000));
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QDir(folder.path()).filePath("druck.pdf"));
  int pages = 0;
  for (auto _ : state) {
    DiagramPrint document(editor.First());
    QtPrinter::PrintPages(printer, document);
    pages = static_cast<int>(document.Layout().Pages().size());
  }
  state.counters["pages"] = pages;
  editor.Failed(state);
}

const bool registered = [] {
  for (bool flowchart : {true, false})
    for (int zoom : {100, 200, 25}) {
      const std::string at = zoom == 100 ? "" : "@" + std::to_string(zoom);
      RegisterEditor(std::string("WindowPaint/") + (flowchart ? "fc" : "sg") + at,
                     [flowchart, zoom](benchmark::State& state, DesignShape shape) {
                       WindowPaint(state, flowchart, zoom, shape);
                     });
    }
  RegisterEditor("ViewSwitch", ViewSwitch);
  RegisterEditor("Undo", Undo);
  for (DesignShape shape : AllShapes)
    benchmark::RegisterBenchmark((std::string("Print/") + ShapeName(shape) + "/1000").c_str(),
                                 [=](benchmark::State& state) { Print(state, shape); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  RegisterEditor("AccessibleWalk", AccessibleWalk);
  for (const char* command : {"insert", "edit", "delete", "drop", "undo", "undo-after-load", "down",
                              "insert-listened", "delete-listened"})
    RegisterEditor(std::string("Command/") + command,
                   [command](benchmark::State& state, DesignShape shape) {
                     Command(state, command, shape);
                   });
  for (const char* command : {"load", "save", "export", "copy", "paste"})
    RegisterEditor(std::string("FileCommand/") + command,
                   [command](benchmark::State& state, DesignShape shape) {
                     FileCommand(state, command, shape);
                   });
  return true;
}();

}  // namespace

#include "tests/editor/EditorTestSupport.h"

#include <QAction>
#include <QClipboard>

#include "platform/qt/MeasuringCanvas.h"

namespace editortest {

namespace {

std::optional<TPoint> OriginIn(TElement* first, TPoint origin, Canvas& canvas,
                               TDisplayOptions& options, const TElement* target) {
  for (TElement* e = first; e; e = e->Next) {
    if (e == target) return origin;
    if (auto* block = dynamic_cast<TBlock*>(e); block && !options.IsCollapsed(block)) {
      TPoint body = origin;
      if (options.Flowchart) body.y += options.Spacing + 1;
      if (auto found = OriginIn(block->Body, body, canvas, options, target)) return found;
    } else if (auto* structure = dynamic_cast<TBedingung*>(e)) {
      for (int32_t i = 1; i <= structure->BranchCount; ++i) {
        const TPoint branch = structure->GetBranchOrigin(canvas, origin, options, i);
        if (auto found = OriginIn(structure->Branch(i), branch, canvas, options, target))
          return found;
      }
    }
    if (e == options.TopBlock) break;
    origin.y += e->GetSize(canvas, options).h;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TPoint> DocumentOrigin(TForm1& window, const TElement* element) {
  const TPoint origin = window.GetDisplayOrigin();
  MeasuringCanvas measuring(window.view().viewport());
  return OriginIn(window.ShownBlock, origin, measuring.canvas(), *window.Options, element);
}

QPoint ClientPointOn(TForm1& window, const TElement* element, int dropAfter) {
  const auto origin = DocumentOrigin(window, element);
  if (!origin) return {-1, -1};
  MeasuringCanvas measuring(window.view().viewport());
  Canvas& canvas = measuring.canvas();
  TDisplayOptions& options = *window.Options;
  const TSize size = const_cast<TElement*>(element)->GetSize(canvas, options);
  const int left = options.Flowchart ? origin->x - size.w / 2 : origin->x;
  const TPoint shownOrigin = window.GetDisplayOrigin();
  const QPoint scroll = window.ScrollOffsets();
  for (int y = origin->y; y <= origin->y + size.h; ++y) {
    for (int x = left; x <= left + size.w; ++x) {
      TElement* hit = window.ShownBlock->ElementAt(canvas, shownOrigin, options, x, y);
      if (hit == element && (dropAfter < 0 || options.DropAfter == dropAfter))
        return {x - scroll.x(), y - scroll.y()};
    }
  }
  return {-1, -1};
}

void EditorTest::Start(const std::optional<std::string>& startFile) {
  form.reset();
  form = std::make_unique<TForm2>(EditorServices{dialogs, printer, ClipboardService()}, startFile);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

void RealClipboardTest::SetUp() {
  QGuiApplication::clipboard()->clear();
  EditorTest::SetUp();
}

void EditorTest::TearDown() {
  EXPECT_TRUE(dialogs.AllAnswered()) << "a queued dialog answer was not used";
  form.reset();
}

void EditorTest::SetDesign(std::string_view notation) {
  DisposeSequence(Root().Body);
  Root().Body = BuildSequence(notation).release();
  NotifyDesignChanged();
  form->RefreshAll();
}

TElement* EditorTest::At(std::initializer_list<int> path) {
  TElement* first = Root().Body;
  TElement* element = nullptr;
  bool index = true;
  for (int step : path) {
    if (index) {
      element = first;
      for (int i = 0; i < step && element; ++i) element = element->Next;
    } else if (auto* structure = dynamic_cast<TBedingung*>(element)) {
      first = structure->Branch(step)->Body;
    } else {
      first = static_cast<TBlock*>(element)->Body;
    }
    if (!element) return nullptr;
    index = !index;
  }
  return element;
}

void EditorTest::Press(TForm1& window, QPoint point, Qt::MouseButton button) {
  QTest::mousePress(window.view().viewport(), button, Qt::NoModifier, point);
  QTest::mouseRelease(window.view().viewport(), button, Qt::NoModifier, point);
}

void EditorTest::Click(TForm1& window, const TElement* element, Qt::MouseButton button) {
  const QPoint point = ClientPointOn(window, element);
  ASSERT_NE(point, QPoint(-1, -1)) << "element not found in the window";
  Press(window, point, button);
}

void EditorTest::DoubleClick(TForm1& window, const TElement* element) {
  const QPoint point = ClientPointOn(window, element);
  ASSERT_NE(point, QPoint(-1, -1));
  QTest::mouseDClick(window.view().viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void EditorTest::Drag(TForm1& window, QPoint from, QPoint to, Qt::MouseButton button) {
  DragPress(window, from, button);
  DragMove(window, to, button);
  DragRelease(window, to, button);
}

void EditorTest::DragPress(TForm1& window, QPoint from, Qt::MouseButton button) {
  QTest::mousePress(window.view().viewport(), button, Qt::NoModifier, from);
}

void EditorTest::DragMove(TForm1& window, QPoint to, Qt::MouseButton button) {
  QWidget* viewport = window.view().viewport();
  QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, button,
                   Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
}

void EditorTest::DragRelease(TForm1& window, QPoint to, Qt::MouseButton button) {
  QTest::mouseRelease(window.view().viewport(), button, Qt::NoModifier, to);
}

void EditorTest::Key(TForm1& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  window.view().setFocus();
  QTest::keyClick(&window.view(), key, modifiers);
}

void EditorTest::Trigger(const std::string& component) {
  QAction* action = form->Item(component);
  ASSERT_NE(action, nullptr) << component;
  action->trigger();
}

std::string EditorTest::Selected(TForm1& window) {
  TElement* selected = window.Options->SelectedElement();
  if (!selected) return "-";
  std::string text = RenderSequence(selected);
  // Only the selected element itself, without its successors.
  const TElement* next = selected->Next;
  if (next) text.resize(text.size() - RenderSequence(next).size() - 1);
  return text;
}

namespace {

// The top-level window that holds window, and point in its coordinates.
std::pair<QWindow*, QPoint> InTopLevel(TForm1& window, QPoint point) {
  QWidget* top = window.window();
  return {top->windowHandle(), window.view().viewport()->mapTo(top, point)};
}

}  // namespace

void EditorTest::UserPress(TForm1& window, QPoint point, Qt::MouseButton button) {
  const auto [top, at] = InTopLevel(window, point);
  QTest::mousePress(top, button, Qt::NoModifier, at);
  QCoreApplication::processEvents();
}

void EditorTest::UserMove(TForm1& window, QPoint point) {
  const auto [top, at] = InTopLevel(window, point);
  QTest::mouseMove(top, at);
  QCoreApplication::processEvents();
}

void EditorTest::UserRelease(TForm1& window, QPoint point, Qt::MouseButton button) {
  const auto [top, at] = InTopLevel(window, point);
  QTest::mouseRelease(top, button, Qt::NoModifier, at);
  QCoreApplication::processEvents();
}

void EditorTest::Popup(TForm1& window, const std::string& component) {
  auto* action = window.PopupMenu1->findChild<QAction*>(QString::fromStdString(component));
  ASSERT_NE(action, nullptr) << component;
  action->trigger();
}

void EditorTest::RightClickPopup(TForm1& window, const TElement* element,
                                 const std::string& component) {
  Click(window, element, Qt::RightButton);
  window.PopupMenu1->hide();
  Popup(window, component);
}

std::vector<std::string> EditorTest::History() const {
  std::vector<std::string> states;
  for (int32_t i = 1; i <= UndoHistory::Capacity && form->UndoStates.HasState(i); ++i)
    states.push_back(RenderBody(*form->UndoStates.StateCopy(i)));
  return states;
}

int RedPixels(TForm1& window) {
  const QImage image = window.view().viewport()->grab().toImage();
  int red = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
  return red;
}

}  // namespace editortest

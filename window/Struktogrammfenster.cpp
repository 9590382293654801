#include "window/Struktogrammfenster.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include "model/Display.h"
#include "model/DrawnBox.h"
#include "model/TreeQueries.h"
#include "platform/qt/Encoding.h"
#include "platform/qt/MeasuringCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtColor.h"
#include "window/DiagramView.h"

TForm1::TForm1(EditorHost& host, TBlock* block)
    : ShownBlock(block), Options(std::make_unique<TDisplayOptions>()), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Komplettes Programm"));
  view_ = new DiagramView(*this);
  setWidget(view_);
  BuildPopupMenu();
  Options->Measures.Enabled = true;
}

TForm1::~TForm1() = default;

namespace {

// The place of a new window in area: a caption height below and right of the window made
// before it, or at the area's top left for the first one and whenever a window placed there
// could not keep half its design size inside the area. It is never larger than the area.
QRect PlaceInArea(const QMdiArea& area, const QMdiSubWindow* previous, int step) {
  const QSize design(TForm1::DesignWidth, TForm1::DesignHeight);
  const QSize room = area.viewport()->size();
  QPoint place(0, 0);
  if (previous && !previous->isMinimized() && !previous->isMaximized()) {
    place = previous->pos() + QPoint(step, step);
    const QSize left(room.width() - place.x(), room.height() - place.y());
    if (place.x() < 0 || place.y() < 0 || left.width() < design.width() / 2 ||
        left.height() < design.height() / 2)
      place = QPoint(0, 0);
  }
  const QSize size = design.boundedTo(QSize(room.width() - place.x(), room.height() - place.y()));
  return {place, size.expandedTo(QSize(1, 1))};
}

}  // namespace

TForm1* TForm1::CreateForBlock(EditorHost& host, QMdiArea& area, TBlock* block) {
  const QList<QMdiSubWindow*> existing = area.subWindowList(QMdiArea::CreationOrder);
  auto* window = new TForm1(host, block);
  area.addSubWindow(window);
  const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  window->setGeometry(PlaceInArea(area, existing.isEmpty() ? nullptr : existing.back(), step));
  window->FormCreate();
  window->show();
  return window;
}

void TForm1::FormCreate() {
  QPalette palette = view_->viewport()->palette();
  palette.setColor(QPalette::Window, ToQColor(Colors::ScreenBackground));
  palette.setColor(QPalette::Base, ToQColor(Colors::ScreenBackground));
  view_->viewport()->setPalette(palette);
  AdjustScrollBars();
}

void TForm1::SetBlock(TBlock* block) {
  Options = std::make_unique<TDisplayOptions>();
  Options->Measures.Enabled = true;
  Dragging = 0;
  ShownBlock = block;
  AdjustScrollBars();
  view_->viewport()->update();
}

std::string TForm1::BlockTitle() const { return ShownBlock->Text; }

namespace {

// A caption wider than the screen is cut with "…": the title bar would lay out the whole text
// on every repaint and push its buttons out of sight. No character is narrower than a pixel
// of the title's width, so the text is first cut to as many characters as the screen is wide.
QString ShortenedCaption(const QString& caption, const QWidget& window) {
  const QScreen* screen = window.screen();
  const int width = std::max(screen ? screen->geometry().width() : 0, 640);
  if (caption.size() <= width / 16) return caption;
  const QString head = caption.left(width + 1);
  QString shown = QFontMetrics(window.font()).elidedText(head, Qt::ElideRight, width);
  if (shown == head && head.size() < caption.size()) shown = head.left(width) + QChar(0x2026);
  return shown;
}

}  // namespace

void TForm1::SetCaption(const std::string& caption) {
  setWindowTitle(ShortenedCaption(ToQString(caption), *this));
  setAccessibleName(windowTitle());
}

std::string TForm1::Caption() const { return FromQString(windowTitle()); }

void TForm1::PrepareOptions() {
  Options->Flowchart = host_.FlowchartView() ? 1 : 0;
  Options->TopBlock = ShownBlock;
}

void TForm1::AdjustScrollBars() {
  PrepareOptions();
  MeasuringCanvas measuring(view_->viewport());
  const TSize size = ShownBlock->GetSize(measuring.canvas(), *Options);
  const ViewMapping mapping = Mapping();
  view_->SetScrollRanges(mapping.ClientLength(size.w + 50), mapping.ClientLength(size.h + 50));
  // Every change of the design, the view or the collapsed blocks ends here.
  view_->accessible().DesignChanged();
}

TPoint TForm1::GetDisplayOrigin() {
  PrepareOptions();
  MeasuringCanvas measuring(view_->viewport());
  return ::GetDisplayOrigin(*ShownBlock, measuring.canvas(), *Options);
}

TPoint TForm1::DrawingOrigin() {
  const TPoint origin = GetDisplayOrigin();
  const TPoint shift = Mapping().Shift();
  return {origin.x - shift.x, origin.y - shift.y};
}

QPoint TForm1::ScrollOffsets() const {
  return {view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value()};
}

void TForm1::SetScrollOffsets(QPoint offsets) {
  view_->horizontalScrollBar()->setValue(offsets.x());
  view_->verticalScrollBar()->setValue(offsets.y());
}

void TForm1::FormPaint() {
  QPainter painter(view_->viewport());
  PaintClientArea(painter);
}

void TForm1::PaintClientArea(QPainter& painter) {
  const ViewMapping mapping = Mapping();
  painter.setTransform(mapping.PainterTransform());
  QtCanvas canvas(painter);
  PrepareOptions();
  const TPoint origin = ::GetDisplayOrigin(*ShownBlock, canvas, *Options);
  const TPoint shift = mapping.Shift();
  DisplayStruktogramm(canvas, {origin.x - shift.x, origin.y - shift.y});
}

void TForm1::DisplayStruktogramm(Canvas& canvas, TPoint origin) {
  PrepareOptions();
  ::DisplayStruktogramm(*ShownBlock, canvas, origin, *Options);
}

TSize TForm1::PrintedExtent(Canvas& printer) {
  PrepareOptions();
  return ::PrintedExtent(*ShownBlock, printer, *Options);
}

std::vector<int32_t> TForm1::PrintedCuts(Canvas& printer) {
  PrepareOptions();
  return ::PrintedCuts(*ShownBlock, printer, *Options);
}

void TForm1::PrintDiagram(Canvas& printer) {
  PrepareOptions();
  ::PrintDiagram(*ShownBlock, printer, *Options);
}

void TForm1::Repaint() { view_->viewport()->repaint(); }

void TForm1::RepaintNow() {
  if (isVisible() && !isMinimized() && view_->viewport()->isVisible()) {
    view_->viewport()->repaint();
    return;
  }
  QImage image(view_->viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  QPainter painter(&image);
  PaintClientArea(painter);
}

void TForm1::ChangeDisplay() {
  if (auto* block = dynamic_cast<TBlock*>(Options->SelectedElement())) ChangeMinimize(block);
}

void TForm1::ChangeMinimize(TBlock* block) {
  Options->ToggleCollapsed(block);
  RepaintNow();
  // Taken as drawn, before the new ranges may move the offsets.
  const QRect r = ToClient(Options->SelectionRect);
  const QPoint scroll = ScrollOffsets();
  AdjustScrollBars();
  const int outerHeight = height();
  const int outerWidth = width();
  int vertical;
  if (r.height() > outerHeight)
    vertical = r.top() + scroll.y() - 2;
  else
    vertical = (r.top() + r.bottom() + 1) / 2 + scroll.y() - outerHeight / 2;
  const int horizontal = (r.left() + r.right() + 1) / 2 + scroll.x() - outerWidth / 2;
  SetScrollOffsets({horizontal, vertical});
}

namespace {

// The scroll offset that shows [low, high) in a client extent: unchanged when it is in sight,
// else moved just far enough; what does not fit shows its start.
int OffsetToShow(int offset, int extent, int low, int high) {
  const bool startInSight = low >= offset && low < offset + extent;
  if (high - low > extent) return startInSight ? offset : low;
  if (low < offset) return low;
  if (high > offset + extent) return high - extent;
  return offset;
}

}  // namespace

QRect TForm1::ClientRectFromDesign(const TRect& box) const {
  // A design pixel is a drawing pixel plus the mapping's shift.
  const ViewMapping mapping = Mapping();
  const TPoint shift = mapping.Shift();
  return mapping.ToClient(
      {box.Left - shift.x, box.Top - shift.y, box.Right - shift.x, box.Bottom - shift.y});
}

std::optional<QRect> TForm1::ClientRectOf(const TElement& element) {
  PrepareOptions();
  MeasuringCanvas measuring(view_->viewport());
  Canvas& canvas = measuring.canvas();
  const TPoint origin = ::GetDisplayOrigin(*ShownBlock, canvas, *Options);
  const auto box = DrawnBoxInShownBlock(*ShownBlock, canvas, origin, *Options, &element);
  if (!box) return std::nullopt;
  return ClientRectFromDesign(*box);
}

void TForm1::ScrollToSelection() {
  TElement* selected = Options->SelectedElement();
  const auto drawn = selected ? ClientRectOf(*selected) : std::nullopt;
  if (!drawn) return;
  // The box in the scroll bars' pixels: client pixels plus the offsets.
  const QPoint scroll = ScrollOffsets();
  const QRect shown = drawn->translated(scroll);
  const QSize client = view_->viewport()->size();
  SetScrollOffsets({OffsetToShow(scroll.x(), client.width(), shown.left(), shown.right() + 1),
                    OffsetToShow(scroll.y(), client.height(), shown.top(), shown.bottom() + 1)});
}

TForm1* TForm1::InneuemFensteranzeigen() {
  auto* block = dynamic_cast<TBlock*>(Options->SelectedElement());
  if (!block || !mdiArea()) return nullptr;
  TForm1* window = CreateForBlock(host_, *mdiArea(), block);
  window->SetCaption(block->Text);
  window->SetZoom(zoom_, {});  // a closer look at a part keeps the scale it was seen at
  return window;
}

void TForm1::CloseFromCommand() {
  closingFromCommand_ = true;
  close();
  closingFromCommand_ = false;
}

void TForm1::closeEvent(QCloseEvent* event) {
  // A command waiting in a dialog may be this window's own and must find it when it goes on.
  if (host_.CommandRunning() && !closingFromCommand_) {
    event->ignore();
    return;
  }
  if (Closable) {
    closed_ = true;
    view_->accessible().Close();
    QMdiSubWindow::closeEvent(event);
    return;
  }
  // The first window only minimises.
  event->ignore();
  showMinimized();
}

void TForm1::ForgetLostReferences() {
  std::unordered_set<const TElement*> lost(Options->Selection.begin(), Options->Selection.end());
  lost.insert(Options->Collapsed.begin(), Options->Collapsed.end());
  lost.insert(Options->DropTarget);
  lost.erase(nullptr);
  if (lost.empty()) return;
  EraseContained(*ShownBlock, lost);
  if (lost.empty()) return;
  if (lost.contains(Options->SelectedElement())) Options->ClearSelection();
  if (lost.contains(Options->DropTarget)) Options->DropTarget = nullptr;
  const std::vector<TElement*> collapsed = Options->Collapsed;
  for (TElement* block : collapsed)
    if (lost.contains(block)) Options->ToggleCollapsed(block);
}

void TForm1::Guarded(const std::function<void()>& command) {
  host_.RunCommand(command);
  view_->accessible().SelectionChanged();
}

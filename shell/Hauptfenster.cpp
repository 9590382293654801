#include "shell/Hauptfenster.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSessionManager>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>
#include <unordered_set>
#include <utility>

#include "model/DesignChange.h"
#include "model/TreeQueries.h"
#include "platform/CommandGuard.h"
#include "platform/qt/FontCache.h"
#include "shell/ForEdit.h"
#include "window/Struktogrammfenster.h"

namespace {

constexpr QPoint MainPosition(222, 146);
constexpr QSize MainSize(803, 470);
// Where the main window's placement is kept in the user's settings.
const QString PlacementKey = QStringLiteral("Hauptfenster/Platzierung");

BlockPtr NewDesign() { return BlockPtr(new TBlock("gesamtes Programm")); }

}  // namespace

TForm2::TForm2(EditorServices services, const std::optional<std::string>& startFile,
               QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("Tavelon"));
  setAccessibleName(windowTitle());
  // Task bars show this while the window is minimised.
  setWindowIconText(QString::fromUtf8(ApplicationTitle));
  RestoreWindowPlacement();
  MdiArea = new QMdiArea(this);
  MdiArea->setObjectName("MdiArea");
  MdiArea->setBackground(palette().button());
  // Windows moved or grown past the area's edges can be scrolled to.
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(MdiArea);
  BuildMenus();
  BuildToolBar();
  statusBar()->setObjectName("StatusBar1");
  zoomLabel_ = new QLabel(statusBar());
  zoomLabel_->setObjectName("ZoomLabel");
  statusBar()->addPermanentWidget(zoomLabel_);
  // The field follows the active window, and that window's zoom while it stays active.
  connect(MdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
    if (auto* diagram = qobject_cast<TForm1*>(window))
      connect(diagram, &TForm1::ZoomChanged, this, &TForm2::ShowZoom, Qt::UniqueConnection);
    ShowZoom();
  });
  Form3 = new TForm3(this);
  Form3->hide();
  FormCreate(startFile);
#if QT_CONFIG(sessionmanager)
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TForm2::CommitData,
          Qt::DirectConnection);
#endif
}

TForm2::~TForm2() {
  // The windows go before the blocks they show.
  delete MdiArea;
  MdiArea = nullptr;
}

void TForm2::FormCreate(const std::optional<std::string>& startFile) {
  if (startFile) OpenStartFile(*startFile);
  if (!RootBlock) RootBlock = NewDesign();
  RootBlock->Braced = 0;
  RootBlock->Movable = 0;
  items_["DoWhileSchleife"]->setVisible(true);
  buttonActions_["BDoWhileSchleife"]->setVisible(true);
}

void TForm2::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) FormShow();
}

void TForm2::RestoreWindowPlacement() {
  const QByteArray placement = QSettings().value(PlacementKey).toByteArray();
  if (!placement.isEmpty() && restoreGeometry(placement)) return;
  move(MainPosition);
  resize(MainSize);
}

void TForm2::SaveWindowPlacement() const { QSettings().setValue(PlacementKey, saveGeometry()); }

void TForm2::FormShow() {
  if (shown_) return;
  shown_ = true;
  firstWindow_ = TForm1::CreateForBlock(*this, *MdiArea, RootBlock.get());
  firstWindow_->Closable = 0;
  UndoStates.ClearUndoStates();
  UpdateCaptions();
}

QAction* TForm2::Item(const std::string& component) const {
  auto found = items_.find(component);
  return found == items_.end() ? nullptr : found->second;
}

QToolButton* TForm2::Button(const std::string& component) const {
  auto found = buttons_.find(component);
  return found == buttons_.end() ? nullptr : found->second;
}

std::vector<TForm1*> TForm2::DiagramWindows() const {
  std::vector<TForm1*> windows;
  if (!MdiArea) return windows;
  // Qt lists the window activated longest ago first.
  const auto list = MdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (auto* window = qobject_cast<TForm1*>(*it); window && !window->Closed())
      windows.push_back(window);
  return windows;
}

TForm1* TForm2::ActiveWindow() const {
  if (auto* window = qobject_cast<TForm1*>(MdiArea->currentSubWindow());
      window && !window->Closed())
    return window;
  const std::vector<TForm1*> windows = DiagramWindows();
  return windows.empty() ? firstWindow_.data() : windows.front();
}

bool TForm2::FlowchartView() const { return items_.at("Flussdiagramm1")->isChecked(); }

// Edits forget only the remembered sizes of what they changed and what holds it, in every
// design a window shows; this must happen before anything is measured again.
void TForm2::FinishChanges() {
  std::vector<TBlock*> roots{RootBlock.get()};
  for (TForm1* window : DiagramWindows()) roots.push_back(window->ShownBlock);
  DesignChange::FinishAll(roots);
}

void TForm2::RefreshAll() {
  FinishChanges();
  CloseDetachedWindows();
  ForgetLostReferences();
  for (TForm1* window : DiagramWindows()) {
    window->Repaint();
    window->AdjustScrollBars();
  }
  // No window refers to a discarded element any more.
  discarded_.clear();
}

void TForm2::ForgetLostReferences() {
  if (checkedChanges_ == changes_) return;
  checkedChanges_ = changes_;
  for (TForm1* window : DiagramWindows()) window->ForgetLostReferences();
}

void TForm2::UpdateCaptions() {
  for (TForm1* window : DiagramWindows()) window->SetCaption(window->BlockTitle());
}

// Only windows that show the block collapsed change; toggling it everywhere would fold it
// where it was open.
void TForm2::ChangeMinimizeAll(TBlock* block) {
  FinishChanges();
  for (TForm1* window : DiagramWindows())
    if (window->Options->IsCollapsed(block)) window->ChangeMinimize(block);
}

void TForm2::SaveUndoState() {
  ++changes_;
  UndoStates.SaveUndoState(*RootBlock);
  MarkChanged(true);
}

void TForm2::MarkChanged(bool changed) {
  changed_ = changed;
  endAgreed_ = false;
}

void TForm2::DropUndoState() { UndoStates.DropUndoState(); }

LoopTextDialog& TForm2::loopDialog() { return *Form3; }

void TForm2::ShowStatus(const std::string& text) {
  if (text.empty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TForm2::Discard(TElement* element) {
  ++changes_;
  discarded_.emplace_back(element);
}

void TForm2::CloseDetachedWindows() {
  if (discarded_.empty()) return;
  std::unordered_set<const TElement*> attached;
  for (TForm1* window : DiagramWindows())
    if (window != firstWindow_) attached.insert(window->ShownBlock);
  // Freeing an element frees what follows it too, though nothing should.
  for (const ElementPtr& element : discarded_)
    for (const TElement* e = element.get(); e; e = e->Next) EraseContained(*e, attached);
  for (TForm1* window : DiagramWindows())
    if (window != firstWindow_ && !attached.contains(window->ShownBlock))
      window->CloseFromCommand();
}

void TForm2::ReplaceDesign(BlockPtr root) {
  BlockPtr old = std::exchange(RootBlock, std::move(root));
  RootBlock->Movable = 0;
  RootBlock->Braced = 0;
  ++changes_;
  for (TForm1* window : DiagramWindows())
    if (window != firstWindow_) window->CloseFromCommand();
  if (firstWindow_) {
    if (firstWindow_->isMinimized()) firstWindow_->showNormal();
    MdiArea->setActiveSubWindow(firstWindow_);
    firstWindow_->SetBlock(RootBlock.get());
  }
  discarded_.clear();
  old.reset();
  UndoStates.ReleaseSpare();
  UpdateCaptions();
}

void TForm2::InstallNewDesign(BlockPtr root) {
  // Recorded first: when that fails, nothing has changed.
  UndoStates.RecordReplaced(RootBlock);
  ReplaceDesign(std::move(root));
}

bool TForm2::Guarded(const std::function<void()>& command) {
  if (!commands_.Busy()) ShowStatus({});
  const bool finished = commands_.Run(command);
  // A command that failed half-way may have deleted elements without telling the windows.
  if (!commands_.Busy() && !discarded_.empty()) RefreshAll();
  return finished;
}

void TForm2::ButtonClick(const QObject* sender) {
  if (TForm1* window = ActiveWindow()) window->Einfuegen(sender->objectName().toStdString());
}

void TForm2::Programmbeenden1Click() {
  if (!MayEnd()) return;
  endAgreed_ = true;
  close();
}

// The close box and the desktop come here directly: they ask as "Programm beenden" does, and
// are refused while another command waits in one of its dialogs.
void TForm2::closeEvent(QCloseEvent* event) {
  bool mayEnd = endAgreed_;
  if (!mayEnd) Guarded([&] { mayEnd = MayEnd(); });
  if (!mayEnd) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  SaveWindowPlacement();
}

bool TForm2::MayEnd() {
  if (!changed_ || endAgreed_) return true;
  switch (services_.dialogs.AskToSave(ApplicationTitle, UnsavedChangesQuestion)) {
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Save: {
      bool saved = false;
      RunReportingErrors(services_.dialogs, [&] { saved = SaveDesign(); });
      return saved;
    }
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

void TForm2::CommitData(QSessionManager& manager) {
#if QT_CONFIG(sessionmanager)
  // Without leave to ask, nothing can be saved; the desktop ends the program as it must.
  if (!changed_ || endAgreed_ || !manager.allowsInteraction()) return;
  Guarded([&] { endAgreed_ = MayEnd(); });
  if (!endAgreed_) manager.cancel();
  manager.release();
#else
  (void)manager;
#endif
}

#pragma once

#include <QMdiSubWindow>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Struktteile.h"
#include "window/EditorHost.h"
#include "window/ViewMapping.h"
#include "window/Zoom.h"

class QMdiArea;
class QMenu;
class QPainter;
class QRect;
class DiagramView;

// A diagram window: a child window of the main window that shows one block of the design,
// scrolled, in the view the main window chooses, with its own selection, collapsed blocks
// and drag state. Its Qt event handlers only translate events and call the handlers below.
class TForm1 : public QMdiSubWindow {
  Q_OBJECT

 public:
  // Virtual key codes of the keys the window handles.
  enum Key : uint16_t {
    KeyEnter = 13,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
    KeyInsert = 45,
    KeyDelete = 46,
  };
  enum class Button { Left, Right, Other };

  // Design size of a new window.
  static constexpr int DesignWidth = 696;
  static constexpr int DesignHeight = 480;

  // A new, visible window in area showing block.
  static TForm1* CreateForBlock(EditorHost& host, QMdiArea& area, TBlock* block);
  ~TForm1() override;

  TBlock* ShownBlock;                        // not owned
  std::unique_ptr<TDisplayOptions> Options;  // the window's view state
  uint8_t Dragging = 0;
  uint8_t Closable = 1;

  QMenu* PopupMenu1 = nullptr;

  // Display.
  void FormCreate();
  void SetBlock(TBlock* block);
  std::string BlockTitle() const;
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  void AdjustScrollBars();
  TPoint GetDisplayOrigin();
  void FormPaint();
  // Repaints the client area at once, if it can be seen.
  void Repaint();
  void DisplayStruktogramm(Canvas& canvas, TPoint origin);
  // The shown block as printed, in window pixels: its size, the rows between its elements,
  // and the drawing.
  TSize PrintedExtent(Canvas& printer);
  std::vector<int32_t> PrintedCuts(Canvas& printer);
  void PrintDiagram(Canvas& printer);
  void ChangeDisplay();
  void ChangeMinimize(TBlock* block);
  // Scrolls just enough to show the selected element where it is drawn: not at all when it
  // is in sight, its top left first when it is larger than the client area.
  void ScrollToSelection();
  TForm1* InneuemFensteranzeigen();
  // Closes the window as a step of the running command (the first window only minimises);
  // a close from outside is refused while a command is under way.
  void CloseFromCommand();
  // Whether the window has closed for good and only waits to be destroyed.
  bool Closed() const { return closed_; }

  // Editing.
  void Einfuegen(std::string_view sender);
  void Loeschen();
  bool Textbearbeiten();
  void Genauerbestimmen1Click();
  void FormKeyDown(uint16_t key);
  void FormMouseDown(Button button, int x, int y, bool doubleClick);
  void FormMouseMove(int x, int y);
  void FormMouseUp(Button button, int x, int y);

  // The element under a point of the window's client area; sets Options.DropAfter.
  TElement* ElementAtClientPoint(int x, int y);
  // Clears the selection and drop target when they name elements outside the shown block,
  // and forgets collapsed blocks that are no longer in it.
  void ForgetLostReferences();

  DiagramView& view() const { return *view_; }
  // Where a box of the design (as measuring and drawing place it) lies in the client area.
  QRect ClientRectFromDesign(const TRect& box) const;
  // Where element is drawn in the client area; nothing when it is not drawn.
  std::optional<QRect> ClientRectOf(const TElement& element);
  // Selects element as a click does and scrolls it into sight.
  void SelectAndShow(TElement* element);
  QPoint ScrollOffsets() const;
  void SetScrollOffsets(QPoint offsets);

  // Zoom in percent of the design's size (Zoom.cpp). It belongs to the window's view: the
  // design, its undo history, printouts and pictures never depend on it.
  int Zoom() const { return zoom_; }
  // Sets the zoom (clamped to the steps' range), keeping the design point under the client
  // point anchor where it is.
  void SetZoom(int percent, QPoint anchor);
  // One step larger or smaller, or back to 100 %, about the middle of the client area.
  void ZoomIn();
  void ZoomOut();
  void ZoomNormal();
  // steps steps larger (negative: smaller) about anchor, as the wheel zooms.
  void ZoomBySteps(int steps, QPoint anchor);

  // The one mapping between the drawing's coordinates (what the model draws in and records,
  // such as Options->SelectionRect) and the viewport's client pixels, at the window's zoom
  // and scroll offsets; see ViewMapping.
  ViewMapping Mapping() const;
  QRect ToClient(const TRect& drawn) const;
  TPoint FromClient(QPoint client) const;
  // Where the shown block's drawing starts, in drawing coordinates.
  TPoint DrawingOrigin();

  EditorHost& host() const { return host_; }
  // Runs one of the window's commands through the main window's command guard.
  void Guarded(const std::function<void()>& command);

 signals:
  void ZoomChanged(int percent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TForm1(EditorHost& host, TBlock* block);
  void BuildPopupMenu();
  // Copies the view setting into the options and makes the shown block the top block.
  void PrepareOptions();
  // Paints at once; a window that cannot be seen draws off screen, so that what drawing
  // records (where the selection lies) is current all the same.
  void RepaintNow();
  // Draws the shown block on a painter over the client area, as the window shows it.
  void PaintClientArea(QPainter& painter);
  void Select(TElement* element);
  // Whether a command has an element to act on; says in the status line when it has none.
  bool HasSelection(const TElement* selected);
  TElement* DraggedElement() const;
  // Unlinks element from the shown block and hands it to the main window; the shown block
  // and branch blocks stay and hand over their bodies instead.
  void DeleteFromShownBlock(TElement* element);
  // Whether element placed at where (into where's body when intoBody) would nest the design
  // deeper than a file may be; says so in an error box.
  bool WouldBeTooDeep(const TElement* where, bool intoBody, const TElement& element);
  enum class EditOutcome { Confirmed, Cancelled, Abandoned };
  // Textbearbeiten; Abandoned when the element left the window while its dialog was open.
  EditOutcome EditText();

  EditorHost& host_;
  DiagramView* view_;
  bool closingFromCommand_ = false;
  bool closed_ = false;
  int zoom_ = zoom::Normal;
};

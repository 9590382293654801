#pragma once

// A main window on the offscreen platform with scripted dialogs, a test printer and a memory
// clipboard, and helpers that find where elements are drawn and send real events there.

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/qt/QtClipboard.h"
#include "shell/ForEdit.h"
#include "shell/Hauptfenster.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/editor/TestPrinter.h"
#include "tests/support/TreeText.h"
#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace editortest {

// Where element is drawn in window, as document coordinates of its origin; nothing when it is
// not shown there (collapsed away, or not below the shown block).
std::optional<TPoint> DocumentOrigin(TForm1& window, const TElement* element);

// A point of window's client area whose hit test yields element (and, when given, that
// DropAfter verdict); QPoint(-1, -1) when there is none in the element's box.
QPoint ClientPointOn(TForm1& window, const TElement* element, int dropAfter = -1);

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() { QSettings().clear(); }  // as on the first run: nothing remembered
  ScriptedDialogs dialogs;
  TestPrinter printer;
  MemoryClipboard clipboard;
  std::unique_ptr<TForm2> form;

  void SetUp() override { Start(); }
  void TearDown() override;

  // The clipboard the editor is started with; a fixture may hand it another one.
  virtual Clipboard& ClipboardService() { return clipboard; }

  // (Re)starts the editor, opening startFile when given.
  void Start(const std::optional<std::string>& startFile = {});

  TForm1& First() { return *form->FirstWindow(); }
  TBlock& Root() { return *form->RootBlock; }
  // Replaces the root's body by the sequence the notation describes.
  void SetDesign(std::string_view notation);
  std::string Design() const { return RenderBody(*form->RootBlock); }
  // The element at a path that alternates an index into a sequence (from 0) and a branch
  // number (from 1; 1 for a block's body): {2} is the third element of the root's body,
  // {0, 2, 1} the second element of the no-branch of the first one.
  TElement* At(std::initializer_list<int> path);

  // Real events on a window's client area.
  void Press(TForm1& window, QPoint point, Qt::MouseButton button = Qt::LeftButton);
  void Click(TForm1& window, const TElement* element, Qt::MouseButton button = Qt::LeftButton);
  void DoubleClick(TForm1& window, const TElement* element);
  void Drag(TForm1& window, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton);
  void Key(TForm1& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Selects element in window by a click on it.
  void SelectByClick(TForm1& window, const TElement* element) { Click(window, element); }
  void Trigger(const std::string& component);

  std::string Selected(TForm1& window);

  // Triggers an item of window's pop-up menu by its component name.
  void Popup(TForm1& window, const std::string& component);
  // A right click on element, then the pop-up item: the menu acts on what the click selected.
  void RightClickPopup(TForm1& window, const TElement* element, const std::string& component);
  // The states of the undo history as notations of their bodies, newest first.
  std::vector<std::string> History() const;
  int States() const { return form->UndoStates.Count(); }

  // A drag taken apart: the press, one move, and the release, each a real event.
  void DragPress(TForm1& window, QPoint from, Qt::MouseButton button = Qt::LeftButton);
  void DragMove(TForm1& window, QPoint to, Qt::MouseButton button = Qt::LeftButton);
  void DragRelease(TForm1& window, QPoint to, Qt::MouseButton button = Qt::LeftButton);

  // Mouse events that take the platform's way, as a user's do: the context-menu request and
  // an open pop-up menu's hold on the mouse take part.
  void UserPress(TForm1& window, QPoint point, Qt::MouseButton button);
  void UserMove(TForm1& window, QPoint point);
  void UserRelease(TForm1& window, QPoint point, Qt::MouseButton button);
};

// The number of pure red pixels in what window's client area shows now.
int RedPixels(TForm1& window);

// The editor with the application's real clipboard, emptied before each test.
class RealClipboardTest : public EditorTest {
 protected:
  QtClipboard realClipboard;
  Clipboard& ClipboardService() override { return realClipboard; }
  void SetUp() override;
};

}  // namespace editortest

#pragma once

#include <functional>
#include <string>

#include "platform/Dialogs.h"

class TBlock;
class TElement;

// The counting-loop dialog as a diagram window uses it: prepared with the loop's text, shown
// modally, and read back in every outcome.
class LoopTextDialog : public ModalWindow {
 public:
  static constexpr int Confirmed = 1;
  static constexpr int Cancelled = -1;
  static constexpr int Closed = 2;

  virtual void SetLoopText(const std::string& text) = 0;
  virtual std::string LoopText() const = 0;
};

// What a diagram window needs of the main window that holds it: the view setting, the
// helpers that tell every window about a change, the undo history and the dialogs.
class EditorHost {
 public:
  virtual ~EditorHost() = default;

  // The root block of the design.
  virtual TBlock* DesignRoot() = 0;
  // The check mark of "Flussdiagramm".
  virtual bool FlowchartView() const = 0;
  // Repaints every diagram window and recomputes its scroll ranges.
  virtual void RefreshAll() = 0;
  // Every window's caption becomes its shown block's title.
  virtual void UpdateCaptions() = 0;
  // Expands the block in every window that shows it collapsed; the others stay as they are.
  virtual void ChangeMinimizeAll(TBlock* block) = 0;

  virtual void SaveUndoState() = 0;
  virtual void DropUndoState() = 0;

  // Takes an element that a command unlinked from the design, with its contents and
  // nothing through Next. The next RefreshAll closes every window that shows a block inside
  // it and frees it.
  virtual void Discard(TElement* element) = 0;

  // Runs a command of a window (pop-up menu, keys, mouse) through the one guard the main
  // window's commands share: refused while another command waits in a dialog. Returns
  // whether it ran to its end.
  virtual bool RunCommand(const std::function<void()>& command) = 0;
  // Whether a command is under way.
  virtual bool CommandRunning() const = 0;

  // Shows a short note (UTF-8) in the main window's status line until the next command; an
  // empty text clears it.
  virtual void ShowStatus(const std::string& text) = 0;

  virtual Dialogs& dialogs() = 0;
  virtual LoopTextDialog& loopDialog() = 0;
};

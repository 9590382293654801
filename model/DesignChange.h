#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

class TBlock;
class TElement;

// Confines the measuring after an edit to what the edit touched. While a change is open, the
// tree operations and SetText note the elements they change instead of making every
// remembered size of every design stale. Finish, given the blocks that windows show, forgets
// the sizes of the noted elements and of every element that holds one, in one walk.
//
// Whatever cannot be placed makes every remembered size stale instead: notes left when the
// change closes without Finish, a noted element under none of the blocks given, and notes
// still waiting when a measuring pass begins. A command therefore finishes its change before
// anything can paint (a modal dialog lets other windows paint).
//
//   DesignChange change;
//   target->InsertElement(element);
//   change.Finish({root, otherWindowsBlock});
//
// Changes nest; each one finishes what was noted while it was the innermost.
class DesignChange {
 public:
  DesignChange();
  ~DesignChange();
  DesignChange(const DesignChange&) = delete;
  DesignChange& operator=(const DesignChange&) = delete;

  // Roots are the design's root block and every other block a window shows, also one that
  // no longer stands in the design; null entries are passed over.
  void Finish(std::span<TBlock* const> roots);
  void Finish(std::initializer_list<TBlock*> roots) {
    Finish(std::span<TBlock* const>(roots.begin(), roots.size()));
  }

  // Finishes every open change with roots, as a repaint of all windows may before painting:
  // a command can open its change and leave the finishing to the repaint.
  static void FinishAll(std::span<TBlock* const> roots);

  // Records that element changed: the innermost open change notes it; without one every
  // remembered size becomes stale. Code that writes an element's links or text directly
  // calls it too.
  static void Note(TElement& element);
  // Called as element is freed: what is freed stands in no design and is not looked for.
  static void Forget(const TElement& element);
  // Called as a measuring pass begins: waiting notes make every remembered size stale.
  static void SettlePending();
  // Whether an open change has noted elements whose holders' sizes are not yet forgotten.
  static bool Pending();

 private:
  bool MarkSequence(TElement* first, bool alone);
  bool Found(const TElement* element);

  std::vector<TElement*> noted_;
  std::vector<uint8_t> found_;
  std::size_t missing_ = 0;  // noted elements the walk has not met yet
  DesignChange* outer_;
};

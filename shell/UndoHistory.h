#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "model/Block.h"
#include "model/DesignSnapshot.h"

// The last ten designs before an edit, newest first, and how many of them "Rückgängig" has
// walked back. Position 1 is the newest state; empty positions are always at the end. States
// are flat snapshots whose buffers are reused, so recording and dropping one costs no more
// than copying the design's bytes; a design replaced whole is kept as it is. A state enters
// the history only when it is complete, and a step that fails leaves the history as it was.
class UndoHistory {
 public:
  static constexpr int32_t Capacity = 10;

  // Records root as the newest state. States that were undone are forgotten first; with
  // all positions in use the oldest state is discarded.
  void SaveUndoState(const TBlock& root);
  // Records a design that is being replaced whole as the newest state, as SaveUndoState
  // does, moving the tree into the history. When that fails, root stays with the caller.
  void RecordReplaced(BlockPtr& root);
  // Discards the newest state (only while there is one).
  void DropUndoState();
  void ClearUndoStates();
  // Frees the buffers kept for states to come; the states recorded stay.
  void ReleaseSpare() { pool_.Release(); }

  // One step back: the design of the next older state, which stays in the history; null
  // when there is none.
  BlockPtr Undo();

  int32_t UndoPosition() const { return position_; }
  // The number of positions in use.
  int32_t Count() const;
  bool HasState(int32_t position) const { return states_[position - 1] != nullptr; }
  // A copy of the state at a position (1 to Capacity), or null when it is empty.
  BlockPtr StateCopy(int32_t position) const;
  // How many emptied states are kept for their buffers.
  std::size_t Spare() const { return pool_.Spare(); }

 private:
  void Push(std::unique_ptr<DesignSnapshot> state) noexcept;
  void Discard(std::unique_ptr<DesignSnapshot>& state) noexcept;

  std::array<std::unique_ptr<DesignSnapshot>, Capacity> states_;
  int32_t position_ = 0;
  SnapshotPool pool_;
};

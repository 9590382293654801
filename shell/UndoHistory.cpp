#include "shell/UndoHistory.h"

#include <algorithm>

namespace {

BlockPtr CopyOf(const TBlock& root) { return BlockPtr(static_cast<TBlock*>(root.CreateCopy())); }

}  // namespace

void UndoHistory::SaveUndoState(const TBlock& root) {
  for (; position_ != 0; --position_) DropUndoState();
  states_.back().reset();
  std::move_backward(states_.begin(), states_.end() - 1, states_.end());
  states_.front() = CopyOf(root);
  position_ = 0;
}

void UndoHistory::DropUndoState() {
  states_.front().reset();
  std::move(states_.begin() + 1, states_.end(), states_.begin());
}

void UndoHistory::ClearUndoStates() {
  for (BlockPtr& state : states_) state.reset();
  position_ = 0;
}

BlockPtr UndoHistory::Undo() {
  if (position_ >= Capacity || !states_[position_]) return nullptr;
  ++position_;
  return CopyOf(*states_[position_ - 1]);
}

int32_t UndoHistory::Count() const {
  return static_cast<int32_t>(
      std::count_if(states_.begin(), states_.end(), [](const BlockPtr& s) { return s != nullptr; }));
}

#include "shell/UndoHistory.h"

#include <algorithm>

void UndoHistory::Discard(std::unique_ptr<DesignSnapshot>& state) {
  if (state) pool_.Recycle(std::move(state));
}

void UndoHistory::SaveUndoState(const TBlock& root) {
  for (; position_ != 0; --position_) DropUndoState();
  Discard(states_.back());
  std::move_backward(states_.begin(), states_.end() - 1, states_.end());
  states_.front() = pool_.Acquire();
  states_.front()->Take(root);
  position_ = 0;
}

void UndoHistory::DropUndoState() {
  Discard(states_.front());
  std::move(states_.begin() + 1, states_.end(), states_.begin());
}

void UndoHistory::ClearUndoStates() {
  for (auto& state : states_) Discard(state);
  position_ = 0;
}

BlockPtr UndoHistory::Undo() {
  if (position_ >= Capacity || !states_[position_]) return nullptr;
  ++position_;
  return states_[position_ - 1]->Restore();
}

int32_t UndoHistory::Count() const {
  return static_cast<int32_t>(std::count_if(states_.begin(), states_.end(),
                                            [](const auto& state) { return state != nullptr; }));
}

BlockPtr UndoHistory::StateCopy(int32_t position) const {
  const auto& state = states_[position - 1];
  return state ? state->Restore() : nullptr;
}

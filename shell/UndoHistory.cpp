#include "shell/UndoHistory.h"

#include <algorithm>

void UndoHistory::Discard(std::unique_ptr<DesignSnapshot>& state) noexcept {
  if (state) pool_.Recycle(std::move(state));
}

void UndoHistory::SaveUndoState(const TBlock& root) {
  std::unique_ptr<DesignSnapshot> state = pool_.Acquire();
  try {
    state->Take(root);
  } catch (...) {
    pool_.Recycle(std::move(state));
    throw;
  }
  Push(std::move(state));
}

void UndoHistory::RecordReplaced(BlockPtr& root) {
  // A snapshot of its own: a recycled one would keep its buffers next to the tree.
  auto state = std::make_unique<DesignSnapshot>();
  state->Keep(std::move(root));
  Push(std::move(state));
}

void UndoHistory::Push(std::unique_ptr<DesignSnapshot> state) noexcept {
  for (; position_ != 0; --position_) DropUndoState();
  Discard(states_.back());
  std::move_backward(states_.begin(), states_.end() - 1, states_.end());
  states_.front() = std::move(state);
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
  BlockPtr restored = states_[position_]->Reinstate();
  ++position_;
  return restored;
}

int32_t UndoHistory::Count() const {
  return static_cast<int32_t>(std::count_if(states_.begin(), states_.end(),
                                            [](const auto& state) { return state != nullptr; }));
}

BlockPtr UndoHistory::StateCopy(int32_t position) const {
  const auto& state = states_[position - 1];
  return state ? state->Restore() : nullptr;
}

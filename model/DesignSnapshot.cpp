#include "model/DesignSnapshot.h"

#include <stdexcept>

#include "model/Anweisung.h"
#include "model/DesignChange.h"
#include "model/Loops.h"
#include "model/MeasureCache.h"

namespace {

[[noreturn]] void Damaged() { throw std::runtime_error(DamagedSnapshotMessage); }

}  // namespace

void DesignSnapshot::Clear() {
  records_.clear();
  texts_.clear();
  kept_.reset();
}

void DesignSnapshot::Take(const TBlock& root) {
  kept_.reset();
  Flatten(root);
}

void DesignSnapshot::Keep(BlockPtr root) {
  Clear();
  kept_ = std::move(root);
}

// A snapshot is either whole or empty: a pass that fails part way leaves nothing behind.
void DesignSnapshot::Flatten(const TBlock& root) {
  records_.clear();
  texts_.clear();
  // While a change waits to be finished, sizes of the elements that hold it may be stale.
  keepSizes_ = !DesignChange::Pending();
  holdingStamp_ = 0;
  try {
    TakeSequence(&root, true);
  } catch (...) {
    records_.clear();
    texts_.clear();
    throw;
  }
}

BlockPtr DesignSnapshot::Reinstate() {
  if (!kept_) return Restore();
  Flatten(*kept_);
  return std::move(kept_);
}

uint64_t DesignSnapshot::StampToKeep(const TElement& element) {
  const uint64_t stamp = element.cachedStamp_;
  if (!keepSizes_ || stamp == 0) return 0;
  if (stamp == holdingStamp_) return stamp;
  if (!MeasureCache::HoldsForCopies(stamp)) return 0;
  holdingStamp_ = stamp;
  return stamp;
}

// The kind is told by the record tag, which every class answers with its own letter.
void DesignSnapshot::TakeSequence(const TElement* first, bool alone) {
  for (const TElement* e = first; e; e = alone ? nullptr : e->Next) {
    Record record{
        e->Text.size(), StampToKeep(*e), e->cachedSize_, e->RecordTag(), e->Movable, 0, 0, 0};
    if (!alone && e->Next) record.links |= HasNext;
    texts_.append(e->Text);
    if (record.tag == 'B') {
      const auto& block = static_cast<const TBlock&>(*e);
      record.braced = block.Braced;
      if (block.Body) record.links |= HasBody;
      records_.push_back(record);
      TakeSequence(block.Body, false);
      continue;
    }
    if (record.tag == 'D' || record.tag == 'R')
      record.continueOnTrue = static_cast<const TDoWhile&>(*e).ContinueOnTrue;
    records_.push_back(record);
    // Branch blocks stand alone: a branch has no successors.
    for (int32_t i = 0; i < e->ContentCount(); ++i) TakeSequence(e->Content(i), true);
  }
}

BlockPtr DesignSnapshot::Restore() const {
  if (kept_) return BlockPtr(static_cast<TBlock*>(kept_->CreateCopy()));
  if (records_.empty()) return nullptr;
  Cursor cursor{records_.data(), records_.data() + records_.size(), texts_.data(),
                texts_.data() + texts_.size()};
  BlockPtr root(RestoreBlock(cursor));
  if (cursor.record != cursor.recordsEnd || cursor.text != cursor.textsEnd) Damaged();
  return root;
}

TBlock* DesignSnapshot::RestoreBlock(Cursor& cursor) {
  if (cursor.record == cursor.recordsEnd || cursor.record->tag != 'B' ||
      (cursor.record->links & HasNext))
    Damaged();
  return static_cast<TBlock*>(RestoreSequence(cursor));
}

// Each element joins the sequence before its contents are built, so that what has been
// built is freed if building the rest fails.
TElement* DesignSnapshot::RestoreSequence(Cursor& cursor) {
  ElementPtr head;
  TElement* tail = nullptr;
  for (;;) {
    if (cursor.record == cursor.recordsEnd) Damaged();
    const Record& record = *cursor.record++;
    if (record.textLength > static_cast<uint64_t>(cursor.textsEnd - cursor.text)) Damaged();
    TElement* element = NewElement(record);
    if (tail)
      tail->Next = element;
    else
      head.reset(element);
    tail = element;
    element->Text.assign(cursor.text, record.textLength);
    cursor.text += record.textLength;
    RestoreContents(*element, record, cursor);
    if (!(record.links & HasNext)) return head.release();
  }
}

TElement* DesignSnapshot::NewElement(const Record& record) {
  TElement* element = nullptr;
  switch (record.tag) {
    case 'B':
      element = new TBlock();
      static_cast<TBlock*>(element)->Braced = record.braced;
      break;
    case 'I':
      element = new TIf(WithoutBranches{});
      break;
    case 'W':
      element = new TWhile(WithoutBranches{});
      break;
    case 'F':
      element = new TFor(WithoutBranches{});
      break;
    case 'D':
    case 'R': {
      auto* loop =
          record.tag == 'D' ? new TDoWhile(WithoutBranches{}) : new TRepeat(WithoutBranches{});
      loop->ContinueOnTrue = record.continueOnTrue;
      element = loop;
      break;
    }
    default:
      element = new TAnweisung();
      break;
  }
  element->Movable = record.movable;
  element->cachedSize_ = record.size;
  element->cachedStamp_ = record.stamp;
  return element;
}

void DesignSnapshot::RestoreContents(TElement& element, const Record& record, Cursor& cursor) {
  if (record.tag == 'B') {
    if (record.links & HasBody) static_cast<TBlock&>(element).Body = RestoreSequence(cursor);
    return;
  }
  // Only decisions and loops have contents besides blocks: their branch blocks.
  for (int32_t i = 0; i < element.ContentCount(); ++i)
    static_cast<TBedingung&>(element).Branches[i] = RestoreBlock(cursor);
}

std::unique_ptr<DesignSnapshot> SnapshotPool::Acquire() {
  if (spare_.empty()) return std::make_unique<DesignSnapshot>();
  std::unique_ptr<DesignSnapshot> snapshot = std::move(spare_.back());
  spare_.pop_back();
  return snapshot;
}

void SnapshotPool::Recycle(std::unique_ptr<DesignSnapshot> snapshot) noexcept {
  if (!snapshot) return;
  snapshot->Clear();
  // The room was reserved, so keeping it allocates nothing; beyond it the snapshot is freed.
  if (spare_.size() < MaxSpare) spare_.push_back(std::move(snapshot));
}

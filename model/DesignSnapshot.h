#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Block.h"

// A whole design flattened into two contiguous buffers, as the undo history keeps its states:
// taking one is a single pass that appends to the buffers, and a snapshot taken again keeps
// their capacity, so a history that recycles its snapshots (SnapshotPool) neither allocates
// nor frees memory per state. It holds all that a deep copy keeps: the kinds, texts,
// Movable, Braced, ContinueOnTrue and the structure, branch blocks and their titles included.
// The sizes the elements remember go along where they also hold for the restored copy, so
// that a window need not measure a restored design afresh.
//
//   std::unique_ptr<DesignSnapshot> state = pool.Acquire();
//   state->Take(*root);                       // before the command changes the tree
//   BlockPtr restored = state->Restore();     // undo: a new tree of ordinary elements
//   pool.Recycle(std::move(state));           // a state dropped from the history
class DesignSnapshot {
 public:
  // Replaces what the snapshot holds with root and everything below it; a root block has no
  // successors, and any it had would not be taken.
  void Take(const TBlock& root);
  // A new tree equal to the one taken, each element a heap element of its kind as copying
  // makes them; null when nothing has been taken.
  BlockPtr Restore() const;
  // Forgets the design and keeps the buffers.
  void Clear();
  bool Empty() const { return records_.empty(); }

 private:
  // One element in reading order: its own record, then its body or branch blocks, then its
  // successor when it has one.
  struct Record {
    uint64_t textLength;
    uint64_t stamp;  // of the remembered size, 0 for none
    TSize size;
    char tag;  // the kind, as in the file records
    uint8_t movable;
    uint8_t braced;
    uint8_t continueOnTrue;
    uint8_t links;  // HasNext, HasBody
  };
  static constexpr uint8_t HasNext = 1;
  static constexpr uint8_t HasBody = 2;

  struct Cursor {
    const Record* record;
    const char* text;
  };

  void TakeSequence(const TElement* first, bool alone);
  // The stamp of element's remembered size if that size goes along, else 0.
  uint64_t StampToKeep(const TElement& element);
  static TElement* RestoreSequence(Cursor& cursor);
  static TElement* NewElement(const Record& record);
  static void RestoreContents(TElement& element, const Record& record, Cursor& cursor);

  std::vector<Record> records_;
  std::string texts_;
  // While taking: whether sizes may go along at all, and the stamp last found to hold.
  bool keepSizes_ = false;
  uint64_t holdingStamp_ = 0;
};

// Snapshots given back, whose buffers the next ones taken reuse.
class SnapshotPool {
 public:
  std::unique_ptr<DesignSnapshot> Acquire();
  void Recycle(std::unique_ptr<DesignSnapshot> snapshot);

 private:
  std::vector<std::unique_ptr<DesignSnapshot>> spare_;
};

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
// that a window need not measure a restored design afresh. A design replaced whole ("Neu",
// loading) is kept as the tree itself instead, and flattened only when it is handed back.
//
//   std::unique_ptr<DesignSnapshot> state = pool.Acquire();
//   state->Take(*root);                       // before the command changes the tree
//   BlockPtr restored = state->Restore();     // undo: a new tree of ordinary elements
//   pool.Recycle(std::move(state));           // a state dropped from the history
class DesignSnapshot {
 public:
  // Replaces what the snapshot holds with root and everything below it; a root block has no
  // successors, and any it had would not be taken. Holds nothing when it fails (memory ran
  // out), never a part of the design.
  void Take(const TBlock& root);
  // Replaces what the snapshot holds with the tree root itself, without copying it.
  void Keep(BlockPtr root);
  // A new tree equal to the one held, each element a heap element of its kind as copying
  // makes them; null when nothing is held. Throws std::runtime_error when the buffers do not
  // hold a whole design, and reads nothing beyond them.
  BlockPtr Restore() const;
  // The design for the editor to go on with: a tree that was kept is handed back itself,
  // flattened first so that the snapshot goes on holding the design; otherwise as Restore.
  // When this fails, the snapshot holds what it held.
  BlockPtr Reinstate();
  // Forgets the design and keeps the buffers.
  void Clear();
  bool Empty() const { return records_.empty() && !kept_; }

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

  // Where restoring has come to, and where the buffers end.
  struct Cursor {
    const Record* record;
    const Record* recordsEnd;
    const char* text;
    const char* textsEnd;
  };

  void Flatten(const TBlock& root);
  void TakeSequence(const TElement* first, bool alone);
  // The stamp of element's remembered size if that size goes along, else 0.
  uint64_t StampToKeep(const TElement& element);
  static TElement* RestoreSequence(Cursor& cursor);
  // A block that stands alone: the root, a branch.
  static TBlock* RestoreBlock(Cursor& cursor);
  static TElement* NewElement(const Record& record);
  static void RestoreContents(TElement& element, const Record& record, Cursor& cursor);

  std::vector<Record> records_;
  std::string texts_;
  BlockPtr kept_;  // a design held as it is, when the buffers are empty
  // While taking: whether sizes may go along at all, and the stamp last found to hold.
  bool keepSizes_ = false;
  uint64_t holdingStamp_ = 0;
};

// What restoring a snapshot that does not hold a whole design says.
inline const char* const DamagedSnapshotMessage =
    "Der frühere Zustand ist unvollständig und kann nicht wiederhergestellt werden.";

// Snapshots given back, whose buffers the next ones taken reuse. It keeps two at most, as
// many as an edit takes before it gives back, and giving one back never fails.
class SnapshotPool {
 public:
  static constexpr std::size_t MaxSpare = 2;

  SnapshotPool() { spare_.reserve(MaxSpare); }
  std::unique_ptr<DesignSnapshot> Acquire();
  void Recycle(std::unique_ptr<DesignSnapshot> snapshot) noexcept;
  // Frees the snapshots kept for reuse, and their buffers.
  void Release() noexcept { spare_.clear(); }
  std::size_t Spare() const { return spare_.size(); }

 private:
  std::vector<std::unique_ptr<DesignSnapshot>> spare_;
};

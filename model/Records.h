#pragma once

#include <cstdint>
#include <string>

#include "model/Block.h"
#include "platform/Stream.h"

// The deepest nesting of blocks within blocks, branches and bodies that a file may hold
// below its root block; deeper files are refused so that reading cannot exhaust the stack.
constexpr int32_t MaxNestingDepth = 1000;

inline const char* const TooDeepMessage =
    "Die Datei ist zu tief verschachtelt (mehr als 1000 Ebenen) und kann nicht geladen werden";

inline const char* const TooDeepToSaveMessage =
    "Die Struktur ist zu tief verschachtelt (mehr als 1000 Ebenen) und kann nicht gespeichert "
    "werden";

// How many levels of blocks lie below the receiver and its successors (0 for statements).
int32_t NestingDepth(const TElement& first);

// Reads one text up to its terminator byte 01; 00 bytes are dropped.
std::string ReadText(Stream& stream);

// Reads element records, dispatching on their tags, and keeps track of the nesting depth.
class RecordReader {
 public:
  explicit RecordReader(Stream& stream) : stream_(stream) {}

  Stream& stream() { return stream_; }
  std::string ReadText() { return ::ReadText(stream_); }
  void SkipTag();
  // Reads a tag and the sequence it starts, up to and including the end marker; the chain
  // is owned by the caller. Frees what it built when it throws.
  TElement* ReadSequence();
  // Reads a block's title and body after its tag, one nesting level deeper; refuses
  // nesting beyond MaxNestingDepth.
  TBlock* ReadBlockRecord();
  // Reads a branch or body block: its tag, its record and the end marker after it.
  TBlock* ReadNestedBlock();

 private:
  // The element named by tag, or null when the tag ends the sequence.
  TElement* CreateByTag(char tag);

  Stream& stream_;
  int32_t depth_ = 0;
};

// Reads a whole design as the load command does: two bytes skipped, the root block's record,
// Movable and Braced of the root 0. Throws StreamError and changes nothing on failure.
BlockPtr LoadRootBlock(Stream& stream);
// Writes a whole design. A design nested deeper than a file may be is refused before
// anything is written, so that every file saved can be opened again.
void SaveRootBlock(const TBlock& root, Stream& stream);

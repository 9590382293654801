#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "model/DisplayOptions.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

// Base of every element of a design. Elements form singly linked sequences through Next;
// containers own the sequences that start in them, nothing is owned through Next.
//
// The public operations work on the receiver and its successors. They walk a sequence with
// a loop and descend by recursion only into bodies and branches, so sequence length never
// costs stack. Each kind supplies its own part through the protected hooks.
class TElement {
 public:
  std::string Text;  // Windows-1252 bytes
  TElement* Next = nullptr;
  uint8_t Movable = 1;

  explicit TElement(std::string text = {});
  virtual ~TElement();  // frees the element's own contents, never its successors
  TElement(const TElement&) = delete;
  TElement& operator=(const TElement&) = delete;

  // Deep copy of the receiver, everything below it and all its successors.
  TElement* CreateCopy() const;

  // Lays out and paints the receiver and its successors (the successors of
  // Options.TopBlock excepted). Marks that lie on top are painted after the whole sequence,
  // the last element's first.
  void Draw(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);

  // Links element next to the receiver: after it, or at the head of a block's body.
  virtual void InsertElement(TElement* element);
  // Unlinks element wherever it occurs in the subtree; called with the receiver itself,
  // disposes of the receiver's contents. Where element is met as a successor or as a branch
  // block, its contents are disposed of on the way; the element itself is never freed.
  void DeleteElement(TElement* element);
  // Unlinks element wherever it occurs in the subtree, disposing of nothing.
  void RemoveElement(const TElement* element);
  // The element whose Next, body or branch points to element, or null.
  TElement* FindParent(const TElement* element);

  // Writes the records of the receiver and its successors.
  void SaveToStream(Stream& stream) const;
  // Appends the receiver and its successors as program text.
  void ExportText(std::string& output, const std::string& indent) const;

  // Width and height of the receiver alone.
  TSize GetSize(Canvas& canvas, TDisplayOptions& options);
  // The element under (x, y), searched in the receiver and its successors up to
  // Options.TopBlock, each drawn at the given width in the structogram view; writes
  // DropAfter. A point hits an element wherever the element is drawn.
  TElement* ElementAt(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options,
                      int32_t x, int32_t y);
  // The same with the receiver drawn at its own measured width, as a window shows its block.
  TElement* ElementAt(Canvas& canvas, TPoint origin, TDisplayOptions& options, int32_t x,
                      int32_t y);

  // The record tag byte of this kind ("A", "B", ...).
  virtual char RecordTag() const = 0;

  // Replaces the text, dropping the bytes no text may hold, and notes the change.
  void SetText(std::string_view text);

  // The sequences the element owns: a block's body, a decision's or loop's branch blocks.
  virtual int32_t ContentCount() const { return 0; }
  virtual TElement* Content(int32_t /*index*/) const { return nullptr; }

  // Where content sequence index is laid out, given the receiver's origin and width: the
  // origin of its first element and the width it is drawn at. Drawing and the hit test
  // both place contents by it.
  struct Placement {
    TPoint origin;
    int32_t width;
  };
  virtual Placement ContentPlacement(Canvas& /*canvas*/, TPoint origin, int32_t width,
                                     TDisplayOptions& /*options*/, int32_t /*index*/) {
    return {origin, width};
  }
  // Whether the contents are drawn at all (a collapsed block shows only its title).
  virtual bool ShowsContents(const TDisplayOptions& /*options*/) const { return true; }

 protected:
  struct DrawResult {
    int32_t height;       // where the successor's origin lies below this one's
    bool marksAfterward;  // DrawAfterSuccessors has something to paint
  };
  // What a kind's Draw paints before its successors are drawn.
  virtual DrawResult DrawElement(Canvas& canvas, TPoint origin, int32_t width,
                                 TDisplayOptions& options) = 0;
  virtual void DrawAfterSuccessors(Canvas&, TPoint /*origin*/, int32_t /*width*/,
                                   TDisplayOptions&) {}
  virtual TSize ComputeSize(Canvas& canvas, TDisplayOptions& options) = 0;
  // The hit test once (x, y) lies in the receiver's own box, drawn at width.
  virtual TElement* HitInside(Canvas& canvas, TPoint origin, int32_t width,
                              TDisplayOptions& options, int32_t x, int32_t y);
  // A copy of the receiver and its contents, without successors.
  virtual TElement* CopyElement() const = 0;
  virtual void DisposeContents() {}
  virtual void DeleteFromContents(TElement* /*element*/) {}
  virtual void RemoveFromContents(const TElement* /*element*/) {}
  virtual TElement* FindInContents(const TElement* /*element*/) { return nullptr; }
  virtual void SaveElement(Stream& stream) const = 0;
  virtual void ExportElement(std::string& output, const std::string& indent) const = 0;

  // The same operations on a sequence held by container, whose head may be element.
  static void DeleteFromSequence(TElement& container, TElement*& first, TElement* element);
  static void RemoveFromSequence(TElement& container, TElement*& first, const TElement* element);
  static TElement* FindInSequence(TElement* first, TElement* container, const TElement* element);

 private:
  friend class DesignChange;    // forgets the sizes along the paths to changed elements
  friend class DesignSnapshot;  // keeps remembered sizes with the elements it takes
  friend void DisposeElement(TElement* element);

  TSize MeasureCached(Canvas& canvas, TDisplayOptions& options);
  void DrawSequence(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options);
  bool ContainsSelection(const TDisplayOptions& options,
                         std::unordered_set<const TElement*>& path) const;
  void BeginDrawPass(Canvas& canvas, TDisplayOptions& options) const;

  TSize cachedSize_;
  uint64_t cachedStamp_ = 0;
};

// Frees an element with its contents (never its successors).
void DisposeElement(TElement* element);
// Frees an element, its contents and all its successors.
void DisposeSequence(TElement* first);

struct SequenceDeleter {
  void operator()(TElement* first) const { DisposeSequence(first); }
};
using ElementPtr = std::unique_ptr<TElement, SequenceDeleter>;

// Links element directly after predecessor, also when predecessor is a block.
void LinkAfter(TElement& predecessor, TElement* element);

// The last element of the sequence that starts at first (null for null).
TElement* LastInSequence(TElement* first);

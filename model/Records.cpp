#include "model/Records.h"

#include <algorithm>

#include "model/Anweisung.h"
#include "model/Loops.h"
#include "model/TextRules.h"
#include "model/TreeQueries.h"

namespace {

const char EndMarker[2] = {'\x02', '\x02'};

void WriteTextRecord(Stream& stream, char tag, const std::string& text) {
  std::string record;
  record.reserve(text.size() + 3);
  record += tag;
  record += ':';
  record += StorableText(text);
  record += '\x01';
  stream.WriteString(record);
}

}  // namespace

std::string ReadText(Stream& stream) {
  std::string text;
  char c;
  for (;;) {
    stream.ReadBuffer(&c, 1);
    if (c == '\x01') return text;
    if (c != '\0') text.push_back(c);
  }
}

void RecordReader::SkipTag() {
  char tag[2];
  stream_.Read(tag, 2);
}

TElement* RecordReader::CreateByTag(char tag) {
  switch (tag) {
    case 'A':
      return TAnweisung::CreateFromStream(*this);
    case 'B':
      return TBlock::CreateFromStream(*this);
    case 'D':
      return TDoWhile::CreateFromStream(*this);
    case 'F':
      return TFor::CreateFromStream(*this);
    case 'I':
      return TIf::CreateFromStream(*this);
    case 'R':
      return TRepeat::CreateFromStream(*this);
    case 'W':
      return TWhile::CreateFromStream(*this);
    default:  // the end marker 02 and any unknown tag end the sequence
      return nullptr;
  }
}

TElement* RecordReader::ReadSequence() {
  ElementPtr head;
  TElement* tail = nullptr;
  for (;;) {
    char tag[2];
    if (stream_.Read(tag, 2) < 2) break;  // the end of the file ends the sequence
    TElement* element = CreateByTag(tag[0]);
    if (!element) break;
    element->Movable = 1;
    if (tail)
      tail->Next = element;
    else
      head.reset(element);
    tail = element;
  }
  return head.release();
}

TBlock* RecordReader::ReadBlockRecord() {
  if (depth_ > MaxNestingDepth) throw StreamError(TooDeepMessage);
  ++depth_;
  struct Leave {
    int32_t& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  BlockPtr block(new TBlock(ReadText()));
  block->Body = ReadSequence();
  return block.release();
}

TBlock* RecordReader::ReadNestedBlock() {
  SkipTag();
  BlockPtr block(ReadBlockRecord());
  // A branch or body block never has successors; whatever a damaged file puts there is
  // read past and dropped.
  DisposeSequence(ReadSequence());
  block->Movable = 0;
  return block.release();
}

TAnweisung* TAnweisung::CreateFromStream(RecordReader& reader) {
  return new TAnweisung(reader.ReadText());
}

TBlock* TBlock::CreateFromStream(RecordReader& reader) { return reader.ReadBlockRecord(); }

void TBedingung::ReadRecord(RecordReader& reader, TBedingung& element) {
  element.Text = reader.ReadText();
  for (int32_t i = 0; i < element.BranchCount; ++i) element.Branches[i] = reader.ReadNestedBlock();
}

namespace {

template <class Kind>
Kind* ReadStructure(RecordReader& reader) {
  std::unique_ptr<Kind, SequenceDeleter> element(new Kind(WithoutBranches{}));
  Kind::ReadRecord(reader, *element);
  return element.release();
}

}  // namespace

TIf* TIf::CreateFromStream(RecordReader& reader) { return ReadStructure<TIf>(reader); }
TWhile* TWhile::CreateFromStream(RecordReader& reader) { return ReadStructure<TWhile>(reader); }
TFor* TFor::CreateFromStream(RecordReader& reader) { return ReadStructure<TFor>(reader); }

TDoWhile* TDoWhile::CreateFromStream(RecordReader& reader) {
  return ReadStructure<TDoWhile>(reader);
}

TRepeat* TRepeat::CreateFromStream(RecordReader& reader) {
  TRepeat* loop = ReadStructure<TRepeat>(reader);
  loop->Branches[0]->Braced = 0;
  return loop;
}

void TAnweisung::SaveElement(Stream& stream) const { WriteTextRecord(stream, 'A', Text); }

void TBlock::SaveElement(Stream& stream) const {
  WriteTextRecord(stream, 'B', Text);
  if (Body) Body->SaveToStream(stream);
  stream.WriteBuffer(EndMarker, 2);
}

void TBedingung::SaveElement(Stream& stream) const {
  WriteTextRecord(stream, RecordTag(), Text);
  for (int32_t i = 0; i < BranchCount; ++i) {
    Branches[i]->SaveToStream(stream);
    stream.WriteBuffer(EndMarker, 2);
  }
}

BlockPtr LoadRootBlock(Stream& stream) {
  RecordReader reader(stream);
  reader.SkipTag();
  BlockPtr root(reader.ReadBlockRecord());
  // The root has no successor: bytes after its record are ignored.
  root->Movable = 0;
  root->Braced = 0;
  return root;
}

int32_t NestingDepth(const TElement& first) {
  int32_t deepest = 0;
  for (const TElement* e = &first; e; e = e->Next) deepest = std::max(deepest, OwnDepth(*e));
  return deepest;
}

void SaveRootBlock(const TBlock& root, Stream& stream) {
  if (root.Body && NestingDepth(*root.Body) > MaxNestingDepth)
    throw StreamError(TooDeepToSaveMessage);
  root.SaveToStream(stream);
}

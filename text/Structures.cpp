// The parsers of decisions and loops. A condition is found by its matching ")", not by
// tokens; a counting header becomes an initialisation and a loop with the test before.
#include <cstring>

#include "text/Normalize.h"
#include "text/Parser.h"

namespace {

bool StartsWithDoWhile(const std::string& text) {
  static const char DoWhile[] = "DOWHILE";
  if (text.size() < 7) return false;
  for (std::size_t i = 0; i < 7; ++i) {
    const char c = text[i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper != DoWhile[i]) return false;
  }
  return true;
}

// The condition after "dowhile": what stands inside the first pair of parentheses.
std::string DoWhileCondition(const std::string& text) {
  std::string rest = Trim(std::string_view(text).substr(7));
  const std::size_t open = rest.find('(');
  if (open != std::string::npos) rest.erase(0, open + 1);
  int depth = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '(') {
      ++depth;
    } else if (rest[i] == ')') {
      if (depth == 0) return rest.substr(0, i);
      --depth;
    }
  }
  return {};
}

// The condition up to the matching ")", trimmed; false (after dropping the text up to the
// first "(") when there is none.
bool ReadCondition(Cursor& text, std::string& condition) {
  const std::size_t close = text.MatchParen();
  if (close == SourceText::npos) return false;
  condition = Trim(text.TakeUntil(close));
  text.MoveTo(close + 1);
  return true;
}

// Puts "do" in front of the first "w" after the body's closing brace, so that the "while"
// after the body reads as one word "dowhile".
void MarkDoWhile(Cursor& text) {
  SourceText& source = text.Source();
  const std::size_t brace = source.FindBrace(text.Position(), text.End());
  if (brace == SourceText::npos) return;
  const std::size_t close = source[brace] == '}' ? brace : source.MatchingBrace(brace);
  if (close >= text.End()) return;
  const std::size_t w = source.FindW(close, text.End());
  if (w != SourceText::npos) source.InsertDo(w);
}

// An empty initialisation clause, as in "for (;c;s)", yields no statement.
ElementPtr InitialisationOf(ElementPtr parsed) {
  const bool empty = parsed && !parsed->Next && parsed->RecordTag() == 'A' && parsed->Text.empty();
  return empty ? nullptr : std::move(parsed);
}

void AppendToBody(TBlock& block, ElementPtr elements) {
  if (!elements) return;
  if (TElement* last = LastInSequence(block.Body))
    last->Next = elements.release();
  else
    block.Body = elements.release();
}

}  // namespace

ElementPtr ParseIf(Cursor& text, int32_t contentLevel) {
  std::string condition;
  if (!ReadCondition(text, condition)) return nullptr;
  auto* decision = new TIf(std::move(condition));
  ElementPtr result(decision);
  ParseBranch(text, contentLevel, *decision->Branches[0]);
  Token token;
  if (text.NextSignificantToken(token)) {
    if (token.Is("ELSE"))
      ParseBranch(text, contentLevel, *decision->Branches[1]);
    else
      text.PutBack(token);
  }
  return result;
}

ElementPtr ParseWhile(Cursor& text, int32_t contentLevel) {
  std::string condition;
  if (!ReadCondition(text, condition)) return nullptr;
  auto* loop = new TWhile(std::move(condition));
  ElementPtr result(loop);
  ParseBranch(text, contentLevel, *loop->Branches[0]);
  return result;
}

ElementPtr ParseFor(Cursor& text, int32_t level, bool inBranch) {
  const std::size_t close = text.MatchParen();
  if (close == SourceText::npos) return nullptr;
  SourceText& source = text.Source();
  std::size_t begin = text.Position();
  std::size_t end = close;
  while (begin < end && IsTrimmedChar(source[begin])) ++begin;
  while (end > begin && IsTrimmedChar(source[end - 1])) --end;
  text.MoveTo(close + 1);

  // The header is parsed one level deeper than the loop stands, which bounds the
  // recursion through headers nested in headers.
  Cursor header(source, begin, end);
  Chain result;
  result.Append(InitialisationOf(ParseElement(header, level + 1, inBranch).first));

  const char* rest = source.Physical().data() + header.Position();
  const void* semicolon = std::memchr(rest, ';', end - header.Position());
  const std::size_t conditionEnd =
      semicolon ? static_cast<const char*>(semicolon) - source.Physical().data() : end;
  auto* loop = new TWhile(header.TakeUntil(conditionEnd));
  ElementPtr loopPtr(loop);
  ParseBranch(text, level + 1, *loop->Branches[0]);
  Cursor step(source, semicolon ? conditionEnd + 1 : end, end);
  AppendToBody(*loop->Branches[0], ParseElement(step, level + 1, false).first);
  result.Append(std::move(loopPtr));
  return result.Release();
}

ElementPtr ParseDo(Cursor& text, int32_t contentLevel) {
  MarkDoWhile(text);
  Chain body;
  bool empty = true;
  ElementPtr last;
  while (!text.AtEnd()) {
    Parsed element = ParseElement(text, contentLevel, empty);
    if (!element.first) continue;
    if (StartsWithDoWhile(element.first->Text)) {
      last = std::move(element.first);
      break;
    }
    body.Append(std::move(element.first));
    empty = false;
  }
  auto* loop = new TDoWhile(last ? DoWhileCondition(last->Text) : std::string());
  Chain result;
  result.Append(ElementPtr(loop));
  loop->Branches[0]->Body = DissolveLeadingBlock(body.Release()).release();
  if (last) {
    // What followed the "dowhile" element in its chain is kept after the loop.
    ElementPtr after(last->Next);
    last->Next = nullptr;
    result.Append(std::move(after));
  }
  return result.Release();
}

#include "text/Parser.h"

namespace {

// The statement "}" that a block parser takes as its end; the token after it is dropped
// when it is ";".
Parsed ParseClosingBrace(Cursor& text) {
  const Token after = text.NextToken();
  if (!after.Is(";")) text.PutBack(after);
  return {ElementPtr(new TAnweisung("}")), true};
}

// A statement runs from its head word up to ";" or "else"; "else" stays in the text for
// the decision that may own it. A lone ";" is an empty statement.
ElementPtr ParseStatement(Cursor& text, const Token& head) {
  std::string statement;
  if (!head.Is(";")) {
    text.AppendToken(head, statement);
    while (!text.AtEnd()) {
      const Token token = text.NextToken();
      if (token.Is(";")) break;
      if (token.Is("ELSE")) {
        text.PutBack(token);
        break;
      }
      text.AppendToken(token, statement);
    }
  }
  return ElementPtr(new TAnweisung(std::move(statement)));
}

// A block as the user makes it, with an empty title, up to its "}" or the end of the text.
ElementPtr ParseBlock(Cursor& text, int32_t contentLevel) {
  BlockPtr block(new TBlock(""));
  Chain body;
  while (!text.AtEnd()) {
    Parsed element = ParseElement(text, contentLevel, false);
    if (element.closing) break;
    body.Append(std::move(element.first));
  }
  block->Body = body.Release().release();
  return block;
}

}  // namespace

void Chain::Append(ElementPtr elements) {
  if (!elements) return;
  TElement* first = elements.release();
  if (last_)
    last_->Next = first;
  else
    first_.reset(first);
  last_ = LastInSequence(first);
}

ElementPtr Chain::Release() {
  last_ = nullptr;
  return std::move(first_);
}

Parsed ParseElement(Cursor& text, int32_t level, bool inBranch) {
  Token head;
  if (!text.NextSignificantToken(head)) return {};
  if (head.Is("}")) return ParseClosingBrace(text);
  if (MayNest(level + 1)) {
    if (head.Is("DO")) return {ParseDo(text, level + 1)};
    if (head.Is("WHILE")) return {ParseWhile(text, level + 1)};
    if (head.Is("FOR")) return {ParseFor(text, level, inBranch)};
    if (head.Is("IF")) return {ParseIf(text, level + 1)};
  }
  const int32_t blockContents = inBranch ? level : level + 1;
  if (head.Is("{") && MayNest(blockContents)) return {ParseBlock(text, blockContents)};
  return {ParseStatement(text, head)};
}

ElementPtr DissolveLeadingBlock(ElementPtr chain) {
  auto* block = dynamic_cast<TBlock*>(chain.get());
  if (!block) return chain;
  ElementPtr rest(block->Next);
  ElementPtr body(block->Body);
  block->Next = nullptr;
  block->Body = nullptr;
  chain.reset();
  Chain result;
  result.Append(std::move(body));
  result.Append(std::move(rest));
  return result.Release();
}

void ParseBranch(Cursor& text, int32_t contentLevel, TBlock& branch) {
  Parsed element = ParseElement(text, contentLevel, true);
  DisposeSequence(branch.Body);
  branch.Body = DissolveLeadingBlock(std::move(element.first)).release();
}

#include "text/Interpret.h"

#include <cstring>

#include "model/TextRules.h"
#include "text/Normalize.h"
#include "text/Parser.h"

namespace {

std::string NormalizedSource(const std::string& text) {
  const bool framingBytes =
      std::memchr(text.data(), '\0', text.size()) || std::memchr(text.data(), '\x01', text.size());
  return framingBytes ? Normalize(StorableText(text)) : Normalize(text);
}

}  // namespace

BlockPtr ParseProgram(const std::string& text) {
  SourceText source(NormalizedSource(text));
  Cursor cursor(source, 0, source.size());
  BlockPtr result(new TBlock(""));
  Chain body;
  while (!cursor.AtEnd()) body.Append(ParseElement(cursor, 0, false).first);
  result->Body = body.Release().release();
  return result;
}

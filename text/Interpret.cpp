#include "text/Interpret.h"

#include "model/TextRules.h"
#include "text/Normalize.h"
#include "text/Parser.h"

BlockPtr ParseProgram(const std::string& text) {
  SourceText source(Normalize(StorableText(text)));
  Cursor cursor(source, 0, source.size());
  BlockPtr result(new TBlock(""));
  Chain body;
  while (!cursor.AtEnd()) body.Append(ParseElement(cursor, 0, false).first);
  result->Body = body.Release().release();
  return result;
}

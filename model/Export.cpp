// Program text of every element kind: statements end with ";", structures carry their
// condition in parentheses, bodies stand between braces, named blocks between comment lines.
#include <string_view>

#include "model/Anweisung.h"
#include "model/LoopText.h"
#include "model/Loops.h"

namespace {

const char* const LineEnd = "\r\n";
const char* const IndentUnit = "  ";

}  // namespace

void TAnweisung::ExportElement(std::string& output, const std::string& indent) const {
  output += indent;
  output += Text;
  if (!std::string_view(Text).ends_with(';')) output += ';';
  output += LineEnd;
}

void TBlock::ExportElement(std::string& output, const std::string& indent) const {
  std::string contentIndent = indent;
  if (Movable) {
    output += LineEnd + indent + "// " + Text + LineEnd;
  } else {
    contentIndent += IndentUnit;
    if (Braced) output += std::string("{") + LineEnd;
  }
  if (Body) Body->ExportText(output, contentIndent);
  if (Movable)
    output += indent + "// Ende " + Text + LineEnd + LineEnd;
  else if (Braced)
    output += indent + "}";
}

void TIf::ExportElement(std::string& output, const std::string& indent) const {
  output += indent + "if (" + Text + ") ";
  Branches[0]->ExportText(output, indent);
  if (Branches[1]->Body) {
    output += LineEnd + indent + "else";
    Branches[1]->ExportText(output, indent);
  }
  output += LineEnd;
}

void TWhile::ExportElement(std::string& output, const std::string& indent) const {
  output += indent + "while (" + Text + ") ";
  Branches[0]->ExportText(output, indent);
  output += LineEnd;
}

void TFor::ExportElement(std::string& output, const std::string& indent) const {
  const auto [v, start, end] = SplitLoopText(Text);
  output += indent + "for (" + v + "=" + start + ";" + v + "<=" + end + ";" + v + "=" + v + "+1) ";
  Branches[0]->ExportText(output, indent);
  output += LineEnd;
}

void TDoWhile::ExportElement(std::string& output, const std::string& indent) const {
  output += indent + "do ";
  Branches[0]->ExportText(output, indent);
  output += " while (" + Text + ");" + LineEnd;
}

void TRepeat::ExportElement(std::string& output, const std::string& indent) const {
  output += indent + "do ";
  Branches[0]->ExportText(output, indent);
  output += indent + "while (" + Text + ");" + LineEnd;
}

// Program text of every element kind: statements end with ";", structures carry their
// condition in parentheses, bodies stand between braces, named blocks between comment lines.
#include <string_view>

#include "model/Anweisung.h"
#include "model/Loops.h"

namespace {

const char* const LineEnd = "\r\n";
const char* const IndentUnit = "  ";

struct CountingHeader {
  std::string variable, start, end;
};

std::string Part(const std::string& text, std::size_t from, std::size_t to) {
  if (from >= text.size() || to <= from) return {};
  return text.substr(from, to - from);
}

// Splits "variable von start bis end": each part begins five characters after the blank
// that ends the previous one (skipping " von " and " bis ").
CountingHeader SplitCountingHeader(const std::string& text) {
  if (text == "???") return {"?", "?", "?"};
  CountingHeader header;
  const std::size_t first = text.find(' ');
  header.variable = text.substr(0, first);
  if (first == std::string::npos) return header;
  const std::size_t startBegin = first + 5;
  const std::size_t second = startBegin < text.size() ? text.find(' ', startBegin) : std::string::npos;
  header.start = Part(text, startBegin, second == std::string::npos ? text.size() : second);
  if (second != std::string::npos) header.end = Part(text, second + 5, text.size());
  return header;
}

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
  const auto [v, start, end] = SplitCountingHeader(Text);
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

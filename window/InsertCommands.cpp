#include "window/InsertCommands.h"

#include <array>
#include <functional>

#include "model/Struktteile.h"

namespace {

struct InsertCommand {
  std::array<std::string_view, 3> components;  // pop-up and main-menu item, tool-bar buttons
  std::function<TElement*()> make;
};

const std::array<InsertCommand, 6>& Commands() {
  static const std::array<InsertCommand, 6> commands{{
      {{"Anweisung", "BAnweisung", "BAnweisung2"}, [] { return new TAnweisung("Anweisung"); }},
      {{"IfAnweisung", "BIfAnweisung", "BIfAnweisung2"}, [] { return new TIf("???"); }},
      {{"WhileSchleife", "BWhileSchleife", "BWhileSchleife2"}, [] { return new TWhile("???"); }},
      {{"DoWhileSchleife", "BDoWhileSchleife", "BDoWhileSchleife2"},
       [] { return new TDoWhile("???"); }},
      {{"RepeatUntilSchleife", "BRepeatUntilSchleife", ""}, [] { return new TRepeat("???"); }},
      {{"ForSchleife", "BForSchleife", "BForSchleife2"}, [] { return new TFor("???"); }},
  }};
  return commands;
}

}  // namespace

TElement* NewElementFor(std::string_view component) {
  if (component.empty()) return nullptr;
  for (const InsertCommand& command : Commands())
    for (std::string_view name : command.components)
      if (name == component) return command.make();
  return nullptr;
}

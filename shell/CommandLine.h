#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// What the program is asked to do by its arguments.
enum class RunMode { Editor, ExportText, ImportText, ExportImage, Help, Version };

enum class DiagramView { Flowchart, Structogram };

// The arguments of one run. A path "-" stands for standard input or standard output; an empty
// output path means standard output.
struct CommandLine {
  RunMode Mode = RunMode::Editor;
  std::string Input;                     // the design or text to read
  std::optional<std::string> StartFile;  // the editor's file opened at start, when one is named
  std::string Output;  // the file to write
  DiagramView View = DiagramView::Flowchart;
  double Scale = 1.0;
  bool Utf8 = false;  // program text is written in UTF-8 rather than Windows-1252
};

// The standard stream's name in place of a path.
inline constexpr std::string_view StandardStreamPath = "-";

// Either the parsed arguments or the German reason they were refused.
struct ParsedCommandLine {
  std::optional<CommandLine> Line;
  std::string Error;
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string> arguments);

// The usage text (German, UTF-8, ending with a line end).
std::string UsageText();
// "Tavelon <version>" and a line end.
std::string VersionText();

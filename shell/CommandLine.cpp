#include "shell/CommandLine.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "shell/PictureWriter.h"

#ifndef TAVELON_VERSION
#define TAVELON_VERSION "unbekannt"
#endif

namespace {

using Arguments = std::span<const std::string>;

ParsedCommandLine Accept(CommandLine line) { return {std::move(line), {}}; }
ParsedCommandLine Refuse(std::string reason) { return {std::nullopt, std::move(reason)}; }

// "-" alone names a standard stream; anything else beginning with "-" is an option.
bool IsOption(const std::string& argument) {
  return argument.size() > 1 && argument.front() == '-';
}

// "--" ends the options: every argument after it is a path, even one beginning with "-".
constexpr std::string_view EndOfOptions = "--";

std::string Lowercase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

ParsedCommandLine TooMany(const std::string& argument) {
  return Refuse("Überzähliges Argument: " + argument);
}

// A mode with one required and one optional path; the text export also takes --utf8.
ParsedCommandLine ParseConversion(RunMode mode, const std::string& name, Arguments rest) {
  CommandLine line;
  line.Mode = mode;
  std::vector<std::string> paths;
  bool optionsEnded = false;
  for (const std::string& argument : rest) {
    if (optionsEnded) {
      paths.push_back(argument);
    } else if (argument == EndOfOptions) {
      optionsEnded = true;
    } else if (mode == RunMode::ExportText && argument == "--utf8") {
      line.Utf8 = true;
    } else if (IsOption(argument)) {
      return Refuse("Unbekannte Option für " + name + ": " + argument);
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.empty()) return Refuse(name + " braucht eine Eingabedatei");
  if (paths.size() > 2) return TooMany(paths[2]);
  line.Input = paths[0];
  if (paths.size() == 2) line.Output = paths[1];
  return Accept(line);
}

std::optional<DiagramView> ParseView(const std::string& value) {
  const std::string word = Lowercase(value);
  if (word == "flussdiagramm") return DiagramView::Flowchart;
  if (word == "struktogramm") return DiagramView::Structogram;
  return std::nullopt;
}

std::optional<double> ParseScale(const std::string& value) {
  double scale = 0;
  const char* end = value.data() + value.size();
  auto [stop, error] = std::from_chars(value.data(), end, scale);
  if (error != std::errc() || stop != end || !std::isfinite(scale) || scale <= 0 ||
      scale > MaxPictureScale) {
    return std::nullopt;
  }
  return scale;
}

// Applies one option with its value to line; returns the reason when it is refused.
std::optional<std::string> ApplyImageOption(CommandLine& line, const std::string& option,
                                            const std::string& value) {
  if (option == "--view") {
    auto view = ParseView(value);
    if (!view) return "Unbekannte Ansicht: " + value + " (flussdiagramm oder struktogramm)";
    line.View = *view;
  } else {
    auto scale = ParseScale(value);
    if (!scale)
      return "Ungültiger Maßstab: " + value + " (eine Zahl größer als 0 und höchstens 1000)";
    line.Scale = *scale;
  }
  return std::nullopt;
}

ParsedCommandLine ParseImage(Arguments rest) {
  CommandLine line;
  line.Mode = RunMode::ExportImage;
  std::vector<std::string> paths;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& argument = rest[i];
    if (optionsEnded || !IsOption(argument)) {
      paths.push_back(argument);
      continue;
    }
    if (argument == EndOfOptions) {
      optionsEnded = true;
      continue;
    }
    if (argument != "--view" && argument != "--scale") {
      return Refuse("Unbekannte Option für --export-image: " + argument);
    }
    if (i + 1 == rest.size()) return Refuse(argument + " braucht einen Wert");
    if (auto reason = ApplyImageOption(line, argument, rest[++i])) return Refuse(*reason);
  }
  if (paths.size() < 2) return Refuse("--export-image braucht eine Eingabe- und eine Bilddatei");
  if (paths.size() > 2) return TooMany(paths[2]);
  line.Input = paths[0];
  line.Output = paths[1];
  return Accept(line);
}

ParsedCommandLine ParseAlone(RunMode mode, Arguments arguments) {
  if (arguments.size() > 1) return TooMany(arguments[1]);
  CommandLine line;
  line.Mode = mode;
  return Accept(line);
}

// The desktop may hand over several files: the first is opened, the others are passed over.
// An empty name is still a name, and opening it is reported like any file that cannot be opened.
ParsedCommandLine ParseEditor(Arguments arguments) {
  std::size_t first = 0;
  if (arguments[0] == EndOfOptions) {
    first = 1;
  } else if (IsOption(arguments[0])) {
    return Refuse("Unbekannte Option: " + arguments[0]);
  }
  CommandLine line;
  if (first < arguments.size()) line.StartFile = arguments[first];
  return Accept(line);
}

}  // namespace

ParsedCommandLine ParseCommandLine(Arguments arguments) {
  if (arguments.empty()) return Accept({});
  const std::string& first = arguments[0];
  Arguments rest = arguments.subspan(1);
  if (first == "--help") return ParseAlone(RunMode::Help, arguments);
  if (first == "--version") return ParseAlone(RunMode::Version, arguments);
  if (first == "--export-text") return ParseConversion(RunMode::ExportText, first, rest);
  if (first == "--import-text") return ParseConversion(RunMode::ImportText, first, rest);
  if (first == "--export-image") return ParseImage(rest);
  return ParseEditor(arguments);
}

std::string UsageText() {
  return "Aufruf:\n"
         "  tavelon [--] [DATEI.str ...]\n"
         "      startet den Editor; die erste DATEI wird beim Start geöffnet, weitere werden\n"
         "      übergangen. Nach -- ist jedes Argument ein Dateiname.\n"
         "  tavelon --export-text EIN.str [AUS.pas|-] [--utf8]\n"
         "      schreibt den Programmtext des Entwurfs, wie \"Exportieren\" ihn schreibt,\n"
         "      in Windows-1252 oder mit --utf8 in UTF-8 (ohne AUS oder mit - auf die\n"
         "      Standardausgabe).\n"
         "  tavelon --import-text EIN.txt|- [AUS.str|-]\n"
         "      baut aus Programmtext einen Entwurf, wie \"Aus Zwischenablage einfügen\" ihn\n"
         "      baut, und schreibt ihn, wie \"Flussdiagramm speichern\" ihn schreibt\n"
         "      (EIN - liest die Standardeingabe; ohne AUS oder mit - auf die Standardausgabe).\n"
         "      Text, der mit der UTF-8-Kennung beginnt oder gültiges UTF-8 mit Zeichen\n"
         "      außerhalb von ASCII ist, wird als UTF-8 gelesen, jeder andere als Windows-1252.\n"
         "  tavelon --export-image EIN.str AUS.png|AUS.svg|AUS.pdf\n"
         "          [--view flussdiagramm|struktogramm] [--scale F]\n"
         "      zeichnet den Entwurf als Bild, im Flussdiagramm, wenn --view nichts anderes\n"
         "      sagt; F (größer als 0, höchstens 1000, Vorgabe 1) vergrößert oder\n"
         "      verkleinert das Bild.\n"
         "  tavelon --help\n"
         "      zeigt diese Hilfe.\n"
         "  tavelon --version\n"
         "      zeigt die Version.\n"
         "\n"
         "Rückgabewert: 0 bei Erfolg, 1 wenn eine Datei oder ein Bild nicht gelesen oder\n"
         "geschrieben werden kann, 2 bei falschen Argumenten.\n";
}

std::string VersionText() { return std::string("Tavelon ") + TAVELON_VERSION + "\n"; }

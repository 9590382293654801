#include "shell/RunCommandLine.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/Conversions.h"
#include "shell/ImageExport.h"

namespace {

void Print(std::FILE* stream, const std::string& text) {
  std::fputs(text.c_str(), stream);
  std::fflush(stream);
}

void PrintFailure(const std::string& message) { Print(stderr, "tavelon: " + message + "\n"); }

// Qt's own notes (a missing runtime folder, font fallbacks) are no business of someone
// converting files; only its critical messages reach standard error.
void CriticalQtMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    Print(stderr, "tavelon: " + message.toStdString() + "\n");
}

// The picture mode needs a GUI application for fonts and painting; without a display it
// runs on the offscreen platform. Qt sees only the program name, never the user's arguments.
int ExportImageInApplication(const CommandLine& line, char* programName) {
  static char fallbackName[] = "tavelon";
  std::unique_ptr<QGuiApplication> application;
  int argc = 1;
  char* argv[] = {programName ? programName : fallbackName, nullptr};
  if (!QCoreApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(CriticalQtMessagesOnly);
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  ExportImageFile(line.Input, line.Output, line.View, line.Scale);
  return 0;
}

int RunConversion(const CommandLine& line, char* programName) {
  switch (line.Mode) {
    case RunMode::ExportText:
      ExportTextFile(line.Input, line.Output, line.Utf8);
      return 0;
    case RunMode::ImportText:
      ImportTextFile(line.Input, line.Output);
      return 0;
    default:
      return ExportImageInApplication(line, programName);
  }
}

// Every failure of a conversion carries the message the user sees.
int RunReportingFailures(const CommandLine& line, char* programName) {
  try {
    return RunConversion(line, programName);
  } catch (const std::bad_alloc&) {
    PrintFailure("Nicht genügend Arbeitsspeicher");
  } catch (const std::exception& failure) {
    PrintFailure(failure.what());
  }
  return 1;
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.Line) {
    Print(stderr, "tavelon: " + parsed.Error + "\n\n" + UsageText());
    return 2;
  }
  const CommandLine& line = *parsed.Line;
  switch (line.Mode) {
    case RunMode::Editor:
      return std::nullopt;
    case RunMode::Help:
      Print(stdout, UsageText());
      return 0;
    case RunMode::Version:
      Print(stdout, VersionText());
      return 0;
    default:
      return RunReportingFailures(line, argc > 0 ? argv[0] : nullptr);
  }
}

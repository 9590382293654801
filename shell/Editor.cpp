#include "shell/Editor.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/Allocator.h"
#include "platform/CommandGuard.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "shell/DesktopIdentity.h"
#include "shell/Hauptfenster.h"

namespace {

// No exception leaves an event handler: what no command caught is shown in an error box and
// the program goes on.
class EditorApplication : public QApplication {
 public:
  EditorApplication(int& argc, char** argv, Dialogs& dialogs)
      : QApplication(argc, argv), dialogs_(dialogs) {}

  bool notify(QObject* receiver, QEvent* event) override {
    bool result = false;
    RunReportingErrors(dialogs_, [&] { result = QApplication::notify(receiver, event); });
    return result;
  }

 private:
  Dialogs& dialogs_;
};

// Qt's own dialogs (files, printing, message boxes) speak German like the rest.
void LoadGermanTranslations(QApplication& application) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace

int RunEditor(const char* programName, const std::optional<std::string>& startFile) {
  static char fallbackName[] = "tavelon";
  // Qt sees only the program name; the arguments were the command line's.
  int argc = 1;
  char* argv[] = {programName ? const_cast<char*>(programName) : fallbackName, nullptr};
  KeepFreedMemoryForReuse();
  QtDialogs dialogs;
  EditorApplication application(argc, argv, dialogs);
  ApplyDesktopIdentity();
  LoadGermanTranslations(application);
  QtPrinter printer;
  QtClipboard clipboard;
  TForm2 mainWindow(EditorServices{dialogs, printer, clipboard}, startFile);
  dialogs.SetParent(&mainWindow);
  mainWindow.show();
  return application.exec();
}

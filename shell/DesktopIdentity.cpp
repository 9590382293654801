#include "shell/DesktopIdentity.h"

#include <QGuiApplication>

// The resource lives in the shell library; a program linking it statically must register it
// before the first lookup. Qt's macro cannot stand inside a namespace.
static bool RegisterIconResource() {
  Q_INIT_RESOURCE(tavelon_icons);
  return true;
}

QIcon ApplicationIcon() {
  static const bool registered = RegisterIconResource();
  (void)registered;
  return QIcon(QStringLiteral(":/icons/org.tavelon.Tavelon.svg"));
}

void ApplyDesktopIdentity() {
  // Wayland compositors and X11 task bars match a window to its menu entry by this name, which
  // gives the window the entry's name and icon.
  QGuiApplication::setDesktopFileName(ApplicationId);
  QGuiApplication::setWindowIcon(ApplicationIcon());
}

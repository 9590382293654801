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
  // X11 desktops match a window to its menu entry by its class, which Qt takes from this name;
  // the settings are kept per user under the organisation's and this name.
  QCoreApplication::setApplicationName(ApplicationName);
  QCoreApplication::setOrganizationName(OrganizationName);
  // No display name: Qt would append it to every window title, and titles are the captions.
  // Wayland compositors and X11 task bars match a window to its menu entry by this name, which
  // gives the window the entry's name and icon.
  QGuiApplication::setDesktopFileName(ApplicationId);
  QGuiApplication::setWindowIcon(ApplicationIcon());
}

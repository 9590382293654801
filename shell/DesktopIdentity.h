#pragma once

#include <QIcon>
#include <QString>

// The application id under which the desktop knows the program: the name of its desktop entry
// (without ".desktop"), of its icon and of its AppStream metadata.
inline const QString ApplicationId = QStringLiteral("org.tavelon.Tavelon");

// The name X11 desktops know the program's windows by (their class), and the folder of the
// settings kept per user.
inline const QString ApplicationName = QStringLiteral("tavelon");
inline const QString OrganizationName = QStringLiteral("Tavelon");

// The program's icon, built into the program so that an uninstalled build shows it too.
QIcon ApplicationIcon();

// Tells the desktop which menu entry the running program belongs to, names the program for its
// settings and gives every window the program's icon. Window titles stay exactly the captions.
// Called once, after the application object exists.
void ApplyDesktopIdentity();

#pragma once

#include <QIcon>
#include <QString>

// The application id under which the desktop knows the program: the name of its desktop entry
// (without ".desktop"), of its icon and of its AppStream metadata.
inline const QString ApplicationId = QStringLiteral("org.tavelon.Tavelon");

// The program's icon, built into the program so that an uninstalled build shows it too.
QIcon ApplicationIcon();

// Tells the desktop which menu entry the running program belongs to and gives every window
// the program's icon. Called once, after the application object exists.
void ApplyDesktopIdentity();

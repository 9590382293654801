#pragma once

#include <QString>
#include <string>

// The model's Windows-1252 texts as Qt strings and back; a character without a Windows-1252
// code becomes "?".
QString ToQString(const std::string& cp1252);
std::string FromQString(const QString& text);

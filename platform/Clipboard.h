#pragma once

#include <map>
#include <optional>
#include <string>

// The clipboard: plain text, whose texts are Windows-1252, or data in other formats.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and puts text on it.
  virtual void SetText(const std::string& text) = 0;
  // The clipboard's text, or nothing when it holds no text.
  virtual std::optional<std::string> Text() const = 0;
  // Empties the clipboard and puts the same content on it in several formats, each the
  // bytes of one MIME type (for example "image/png"), so that a program pasting it takes
  // the format it reads best.
  virtual void SetFormats(const std::map<std::string, std::string>& formats) = 0;
};

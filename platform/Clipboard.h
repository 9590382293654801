#pragma once

#include <optional>
#include <string>

// The clipboard in plain-text format; texts are Windows-1252.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and puts text on it.
  virtual void SetText(const std::string& text) = 0;
  // The clipboard's text, or nothing when it holds no text.
  virtual std::optional<std::string> Text() const = 0;
};

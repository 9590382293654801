#pragma once

#include "platform/Clipboard.h"

// The application's clipboard through Qt.
class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
  std::optional<std::string> Text() const override;
  void SetFormats(const std::map<std::string, std::string>& formats) override;
};

#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

// The platform's dialogs as Qt shows them, each modal to the parent widget.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool InputQuery(const std::string& title, const std::string& prompt,
                  std::string& text) override;
  void ShowMessage(MessageKind kind, const std::string& caption,
                   const std::string& text) override;
  SaveAnswer AskToSave(const std::string& caption, const std::string& text) override;
  bool Execute(FileDialog& dialog) override;
  bool ExecutePrintDialog(Printer& printer) override;
  int ShowModal(ModalWindow& window) override;

 private:
  QPointer<QWidget> parent_;
};

// Qt's name filters for a filter list of description and pattern pairs separated by "|".
QStringList NameFilters(const std::string& filter);

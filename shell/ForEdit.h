#pragma once

#include <QDialog>
#include <string>

#include "window/EditorHost.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The counting-loop dialog: the loop text "variable von start bis end" edited as three
// fields. Created once, hidden, and reused for every edit.
class TForm3 : public QDialog, public LoopTextDialog {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  void SetLoopText(const std::string& text) override;
  std::string LoopText() const override { return LoopText_; }
  int ExecModal() override;

  void Button1Click();  // "Ok"
  void Button2Click();  // "Abbrechen"

  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QLabel* Label3;
  QLineEdit* Edit3;
  QPushButton* Button1;
  QPushButton* Button2;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void LayOut();
  void SizeFields();

  std::string LoopText_;
};

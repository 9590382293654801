#pragma once

#include <QPlainTextEdit>
#include <QString>

class QDialog;

// A text field for texts too long for a one-line field, which lays out its whole text on
// opening. It shows the text in paragraphs of a fixed length, so that only the paragraphs in
// view are ever laid out, and hands back the text without those breaks. The text's own line
// breaks stay in it as breaks within a paragraph. Enter is left to the dialog (it confirms).
class LongTextField : public QPlainTextEdit {
 public:
  explicit LongTextField(QWidget* parent = nullptr);

  void SetText(const QString& text);
  QString Text() const;

  // How many characters one paragraph of the field holds at most.
  static constexpr qsizetype ParagraphLength = 1000;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
};

// Asks for a long text in a dialog with "OK" and "Abbrechen"; text holds the text shown
// first and, when confirmed, the text as the user left it.
bool AskForLongText(QWidget* parent, const QString& title, const QString& prompt, QString& text);

#include "platform/qt/LongTextField.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The field's own paragraph breaks are no part of the text; the text's line feeds and
// carriage returns are shown as a break within the paragraph and as a visible sign.
constexpr QChar ParagraphBreak = QChar::ParagraphSeparator;
constexpr QChar ShownLineFeed = QChar::LineSeparator;
constexpr QChar ShownReturn = QChar(0x240D);

// The text as the field holds it; none of the signs used can come from a text of a design.
QString ToField(QStringView text) {
  QString field;
  field.reserve(text.size() + text.size() / LongTextField::ParagraphLength + 1);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (i > 0 && i % LongTextField::ParagraphLength == 0) field += ParagraphBreak;
    const QChar c = text[i];
    field += c == u'\n' ? ShownLineFeed : c == u'\r' ? ShownReturn : c;
  }
  return field;
}

// The text back from what the field holds, its paragraph breaks dropped.
QString FromField(QStringView field) {
  QString text;
  text.reserve(field.size());
  for (const QChar c : field) {
    if (c == ParagraphBreak || c == QChar(0xFDD0) || c == QChar(0xFDD1)) continue;
    text += c == ShownLineFeed ? QChar(u'\n') : c == ShownReturn ? QChar(u'\r') : c;
  }
  return text;
}

}  // namespace

LongTextField::LongTextField(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void LongTextField::SetText(const QString& text) { setPlainText(ToField(text)); }

QString LongTextField::Text() const { return FromField(document()->toRawText()); }

void LongTextField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

bool LongTextField::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText();
}

// Pasted or dropped line breaks belong to the text, as they do in a one-line field.
void LongTextField::insertFromMimeData(const QMimeData* source) {
  if (source->hasText()) textCursor().insertText(ToField(source->text()).remove(ParagraphBreak));
}

QMimeData* LongTextField::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(FromField(textCursor().selectedText()));
  return data;
}

bool AskForLongText(QWidget* parent, const QString& title, const QString& prompt, QString& text) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* field = new LongTextField(&dialog);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(prompt, &dialog));
  layout->addWidget(field);
  layout->addWidget(buttons);
  dialog.resize(600, 320);
  field->SetText(text);
  field->selectAll();
  field->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  text = field->Text();
  return true;
}

#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "platform/qt/Encoding.h"
#include "platform/qt/LongTextField.h"
#include "platform/qt/QtPrinter.h"

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The extension a filter's pattern names ("png" for "*.png"), or defaultExt for a pattern
// of several extensions or of every file.
QString FilterExtension(const std::string& filter, int index, const QString& defaultExt) {
  const QStringList parts = Utf8(filter).split(QLatin1Char('|'));
  const qsizetype at = 2 * qsizetype(index) + 1;
  if (index < 0 || at >= parts.size()) return defaultExt;
  const QString& pattern = parts[at];
  if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(';'))) return defaultExt;
  const QString extension = pattern.mid(2);
  return extension.contains(QLatin1Char('*')) ? defaultExt : extension;
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = Utf8(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    // "*.*" means every file; on this platform names need not have a dot.
    QString pattern = parts[i + 1] == QLatin1String("*.*") ? QStringLiteral("*") : parts[i + 1];
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (!description.contains(QLatin1Char('('))) description += " (" + pattern + ")";
    filters << description;
  }
  return filters;
}

bool QtDialogs::InputQuery(const std::string& title, const std::string& prompt,
                           std::string& text) {
  // A one-line field lays out its whole text as it opens, which takes seconds for a long one.
  if (text.size() > LongTextField::ParagraphLength) {
    QString value = ToQString(text);
    if (!AskForLongText(parent_, Utf8(title), Utf8(prompt), value)) return false;
    text = FromQString(value);
    return true;
  }
  QInputDialog dialog(parent_);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(Utf8(title));
  dialog.setLabelText(Utf8(prompt));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  // A line edit takes 32767 characters unless told otherwise; texts have no limit.
  if (auto* edit = dialog.findChild<QLineEdit*>())
    edit->setMaxLength(std::numeric_limits<int>::max());
  dialog.setTextValue(ToQString(text));
  // Wide enough for the caption and the prompt, and for longer texts than the default.
  dialog.resize(std::max(dialog.sizeHint().width(), 380), dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return false;
  text = FromQString(dialog.textValue());
  return true;
}

void QtDialogs::ShowMessage(MessageKind kind, const std::string& caption,
                            const std::string& text) {
  QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
                  Utf8(caption), Utf8(text), QMessageBox::Ok, parent_);
  box.exec();
}

SaveAnswer QtDialogs::AskToSave(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, Utf8(caption), Utf8(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
  box.button(QMessageBox::Save)->setText(QStringLiteral("Speichern"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("Verwerfen"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::Save;
    case QMessageBox::Discard:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

// Qt's save dialog asks before it replaces an existing file, in German through qtbase_de.
bool QtDialogs::Execute(FileDialog& request) {
  const bool save = request.Kind == FileDialogKind::Save;
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = NameFilters(request.Filter);
  const QString defaultExt = Utf8(request.DefaultExt);
  dialog.setNameFilters(filters);
  if (request.FilterIndex > 0 && request.FilterIndex < filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex]);
  const auto chosenIndex = [&] { return int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))); };
  dialog.setDefaultSuffix(FilterExtension(request.Filter, chosenIndex(), defaultExt));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString&) {
    dialog.setDefaultSuffix(FilterExtension(request.Filter, chosenIndex(), defaultExt));
  });
  if (!request.FileName.empty()) dialog.selectFile(QString::fromLocal8Bit(request.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  request.FileName = dialog.selectedFiles().front().toLocal8Bit().toStdString();
  request.FilterIndex = chosenIndex();
  return true;
}

bool QtDialogs::ExecutePrintDialog(Printer& printer) {
  auto* qtPrinter = dynamic_cast<QtPrinter*>(&printer);
  if (!qtPrinter) return false;
  QPrintDialog dialog(&qtPrinter->printer(), parent_);
  return dialog.exec() == QDialog::Accepted;
}

int QtDialogs::ShowModal(ModalWindow& window) { return window.ExecModal(); }

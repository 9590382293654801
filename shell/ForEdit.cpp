#include "shell/ForEdit.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "model/LoopText.h"
#include "platform/qt/Encoding.h"
#include "platform/qt/FontCache.h"

namespace {

// The dialog's client area is at least that of its outer size, 285 x 121, less a frame of 4
// pixels and a caption of 19; it grows to whatever the font in use needs.
constexpr QSize ClientSize(285 - 2 * 4, 121 - 2 * 4 - 19);
constexpr QPoint ScreenPosition(291, 274);
// Margins and gaps that place the controls as at their design size: fields at 16 from the
// top, labels 14 from the left, buttons 56 from the top and 75 x 25 pixels at least.
constexpr QMargins Margins(14, 16, 14, 9);
constexpr int RowGap = 19;
constexpr QSize ButtonSize(75, 25);
// A field is wide enough for a few characters, never narrower than its design width.
constexpr int FieldDesignWidth = 33;
constexpr int FieldCharacters = 7;

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setAccessibleName(button->text());
  button->setMinimumSize(ButtonSize);
  return button;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setObjectName("Form3");
  setWindowTitle(QStringLiteral("Zählschleife"));
  // A dialog's frame: a caption with the close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFont(FontCache::MakeFont(TFont{"MS Sans Serif", 11, 0, Colors::Black}));
  Label1 = new QLabel(QStringLiteral("Zählvariable"), this);
  Edit1 = MakeEdit(this, "Edit1");
  Label2 = new QLabel(QStringLiteral("von"), this);
  Edit2 = MakeEdit(this, "Edit2");
  Label3 = new QLabel(QStringLiteral("bis"), this);
  Edit3 = MakeEdit(this, "Edit3");
  Button1 = MakeButton(this, "Ok", "Button1");
  Button1->setDefault(true);
  Button2 = MakeButton(this, "Abbrechen", "Button2");
  const std::pair<QLabel*, QLineEdit*> fields[] = {
      {Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}};
  for (auto [label, edit] : fields) {
    label->setBuddy(edit);
    edit->setAccessibleName(label->text());
  }
  LayOut();
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, Button1);
  setTabOrder(Button1, Button2);
  connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

// One row with the three labelled fields and one with the two buttons below; the dialog takes
// the size its controls need in the font in use, at least its design size, and keeps it.
void TForm3::LayOut() {
  auto* fieldRow = new QHBoxLayout;
  for (QWidget* control :
       std::initializer_list<QWidget*>{Label1, Edit1, Label2, Edit2, Label3, Edit3})
    fieldRow->addWidget(control);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(Button1);
  buttonRow->addStretch(1);
  buttonRow->addWidget(Button2);
  buttonRow->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Margins);
  layout->setSpacing(RowGap);
  layout->addLayout(fieldRow);
  layout->addLayout(buttonRow);
  layout->addStrut(ClientSize.width());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SizeFields();
}

// Gives the fields room for a few characters of the font in use.
void TForm3::SizeFields() {
  const int width =
      std::max(FieldDesignWidth, fontMetrics().horizontalAdvance(QString(FieldCharacters, '0')));
  for (QLineEdit* edit : {Edit1, Edit2, Edit3}) edit->setFixedWidth(width);
  // The rows may need less height than the design gives the dialog; the rest goes below.
  layout()->setContentsMargins(Margins);
  layout()->activate();
  if (height() < ClientSize.height()) {
    layout()->setContentsMargins(Margins + QMargins(0, 0, 0, ClientSize.height() - height()));
    layout()->activate();
  }
}

void TForm3::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::FontChange && layout()) SizeFields();
}

void TForm3::SetLoopText(const std::string& text) {
  LoopText_ = text;
  const LoopParts parts = SplitLoopText(text);
  Edit1->setText(ToQString(parts.variable));
  Edit2->setText(ToQString(parts.start));
  Edit3->setText(ToQString(parts.end));
}

int TForm3::ExecModal() {
  move(ScreenPosition);
  Edit1->setFocus();
  return exec();
}

void TForm3::Button1Click() {
  LoopText_ = JoinLoopText(
      {FromQString(Edit1->text()), FromQString(Edit2->text()), FromQString(Edit3->text())});
  done(Confirmed);
}

void TForm3::Button2Click() { done(Cancelled); }

// Esc is "Abbrechen"; Qt would take it as closing the window.
void TForm3::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Button2Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm3::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (isVisible()) done(Closed);
}

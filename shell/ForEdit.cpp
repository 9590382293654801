#include "shell/ForEdit.h"

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

// The dialog's outer size is 285 x 121 with a frame of 4 pixels and a caption of 19.
constexpr QSize ClientSize(285 - 2 * 4, 121 - 2 * 4 - 19);
constexpr QPoint ScreenPosition(291, 274);

QLineEdit* MakeEdit(QWidget* parent, int left) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(left, 16, 33, 21);
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setObjectName("Form3");
  setWindowTitle(QStringLiteral("Zählschleife"));
  setFixedSize(ClientSize);
  QFont font = FontCache::MakeFont(TFont{"MS Sans Serif", 11, 0, Colors::Black});
  setFont(font);
  Label1 = MakeLabel(this, "Zählvariable", {14, 21, 58, 13});
  Edit1 = MakeEdit(this, 80);
  Label2 = MakeLabel(this, "von", {128, 19, 18, 13});
  Edit2 = MakeEdit(this, 152);
  Label3 = MakeLabel(this, "bis", {197, 20, 13, 13});
  Edit3 = MakeEdit(this, 216);
  Button1 = new QPushButton(QStringLiteral("Ok"), this);
  Button1->setGeometry(40, 56, 75, 25);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
  Button2->setGeometry(160, 56, 75, 25);
  Edit1->setObjectName("Edit1");
  Edit2->setObjectName("Edit2");
  Edit3->setObjectName("Edit3");
  Button1->setObjectName("Button1");
  Button2->setObjectName("Button2");
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, Button1);
  setTabOrder(Button1, Button2);
  for (QWidget* control :
       {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Edit3),
        static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)})
    control->setAccessibleName(control->objectName());
  Edit1->setAccessibleName(QStringLiteral("Zählvariable"));
  Edit2->setAccessibleName(QStringLiteral("von"));
  Edit3->setAccessibleName(QStringLiteral("bis"));
  Button1->setAccessibleName(QStringLiteral("Ok"));
  Button2->setAccessibleName(QStringLiteral("Abbrechen"));
  connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
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

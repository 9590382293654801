// The counting-loop dialog: its layout, how it splits and joins the loop text, and its
// outcomes, driven by real key presses and clicks while it runs modally.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "shell/ForEdit.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

std::vector<std::string> Fields(TForm3& dialog) {
  return {dialog.Edit1->text().toStdString(), dialog.Edit2->text().toStdString(),
          dialog.Edit3->text().toStdString()};
}

using Strings = std::vector<std::string>;

// The control the Tab key moves to from widget.
QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

TEST(LoopDialogSplit, FillsTheFieldsFromTheSeparatorWords) {
  TForm3 dialog;
  const std::pair<std::string, Strings> cases[] = {
      {"i von 1 bis 10", {"i", "1", "10"}},
      {"???", {"?", "?", "?"}},
      {" von  bis ", {"", "", ""}},
      {"x y von 1 bis 5", {"x y", "1", "5"}},
      {"ohneLeerzeichen", {"ohneLeerzeichen", "", ""}},
      {"i von 1 bis 10 und mehr", {"i", "1", "10 und mehr"}},
      {"", {"", "", ""}},
  };
  for (const auto& [text, fields] : cases) {
    dialog.SetLoopText(text);
    EXPECT_EQ(Fields(dialog), fields) << text;
    EXPECT_EQ(dialog.LoopText(), text);
  }
}

TEST(LoopDialogLayout, ControlsStandWhereTheFormPutsThem) {
  TForm3 dialog;
  EXPECT_EQ(dialog.windowTitle(), "Zählschleife");
  const std::tuple<QWidget*, QRect, const char*> controls[] = {
      {dialog.Label1, {14, 21, 58, 13}, "Zählvariable"}, {dialog.Edit1, {80, 16, 33, 21}, ""},
      {dialog.Label2, {128, 19, 18, 13}, "von"},         {dialog.Edit2, {152, 16, 33, 21}, ""},
      {dialog.Label3, {197, 20, 13, 13}, "bis"},         {dialog.Edit3, {216, 16, 33, 21}, ""},
      {dialog.Button1, {40, 56, 75, 25}, "Ok"},           {dialog.Button2, {160, 56, 75, 25}, "Abbrechen"},
  };
  for (const auto& [widget, geometry, caption] : controls) {
    EXPECT_EQ(widget->geometry(), geometry) << caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_EQ(label->text(), caption);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text(), caption);
    }
  }
  EXPECT_TRUE(dialog.Button1->isDefault());
  EXPECT_EQ(NextTabStop(dialog.Edit1), dialog.Edit2);
  EXPECT_EQ(NextTabStop(dialog.Edit2), dialog.Edit3);
  EXPECT_EQ(NextTabStop(dialog.Edit3), dialog.Button1);
  EXPECT_EQ(NextTabStop(dialog.Button1), dialog.Button2);
}

// Shows the dialog modally; act runs once it is open.
int RunModal(TForm3& dialog, const std::string& text, std::function<void()> act) {
  dialog.SetLoopText(text);
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_TRUE(dialog.isVisible());
    act();
  });
  return dialog.ExecModal();
}

TEST(LoopDialogOutcomes, OkAndEnterJoinTheFieldsAsTheyStand) {
  TForm3 dialog;
  EXPECT_EQ(RunModal(dialog, "i von 1 bis 10", [&] { QTest::mouseClick(dialog.Button1, Qt::LeftButton); }), 1);
  EXPECT_EQ(dialog.LoopText(), "i von 1 bis 10");
  EXPECT_EQ(RunModal(dialog, "???", [&] { QTest::keyClick(dialog.Edit1, Qt::Key_Return); }), 1);
  EXPECT_EQ(dialog.LoopText(), "? von ? bis ?");
  const int result = RunModal(dialog, "???", [&] {
    for (QLineEdit* edit : {dialog.Edit1, dialog.Edit2, dialog.Edit3}) edit->clear();
    QTest::keyClicks(dialog.Edit1, "x y");
    QTest::keyClick(dialog.Edit1, Qt::Key_Tab);
    QTest::keyClicks(dialog.focusWidget(), "1");
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(dialog.focusWidget(), "5");
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(dialog.LoopText(), "x y von 1 bis 5");
  EXPECT_EQ(RunModal(dialog, "x", [&] {
              for (QLineEdit* edit : {dialog.Edit1, dialog.Edit2, dialog.Edit3}) edit->clear();
              QTest::mouseClick(dialog.Button1, Qt::LeftButton);
            }),
            1);
  EXPECT_EQ(dialog.LoopText(), " von  bis ");
}

TEST(LoopDialogOutcomes, AbbrechenEscAndTheCloseBoxKeepTheText) {
  TForm3 dialog;
  const auto edit = [&] { dialog.Edit1->setText("geändert"); };
  EXPECT_EQ(RunModal(dialog, "i von 1 bis 10", [&] {
              edit();
              QTest::mouseClick(dialog.Button2, Qt::LeftButton);
            }),
            -1);
  EXPECT_EQ(dialog.LoopText(), "i von 1 bis 10");
  EXPECT_EQ(RunModal(dialog, "a von b bis c", [&] {
              edit();
              QTest::keyClick(dialog.Edit2, Qt::Key_Escape);
            }),
            -1);
  EXPECT_EQ(dialog.LoopText(), "a von b bis c");
  EXPECT_EQ(RunModal(dialog, "k von 0 bis 9", [&] {
              edit();
              dialog.close();
            }),
            2);
  EXPECT_EQ(dialog.LoopText(), "k von 0 bis 9");
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace editortest

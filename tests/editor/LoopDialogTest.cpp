// The counting-loop dialog: its layout, how it splits and joins the loop text, and its
// outcomes, driven by real key presses and clicks while it runs modally.
#include <QLabel>
#include <QLayout>
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

TEST(LoopDialogLayout, EveryControlShowsItsWholeTextInItsRowInAnyFont) {
  TForm3 dialog;
  EXPECT_EQ(dialog.windowTitle(), "Zählschleife");
  QWidget* const controls[] = {dialog.Label1, dialog.Edit1, dialog.Label2,  dialog.Edit2,
                               dialog.Label3, dialog.Edit3, dialog.Button1, dialog.Button2};
  const char* captions[] = {"Zählvariable", "", "von", "", "bis", "", "Ok", "Abbrechen"};
  for (int pixels : {0, 26}) {  // the dialog's own font, then a large one
    QFont font = dialog.font();
    if (pixels) font.setPixelSize(pixels);
    dialog.setFont(font);
    dialog.layout()->activate();
    EXPECT_EQ(dialog.size().expandedTo({285 - 2 * 4, 121 - 2 * 4 - 19}), dialog.size());
    for (std::size_t i = 0; i < std::size(controls); ++i) {
      QWidget* control = controls[i];
      SCOPED_TRACE(testing::Message() << pixels << " px, control " << i);
      EXPECT_EQ(control->property("text").toString(), QString::fromUtf8(captions[i]));
      EXPECT_TRUE(dialog.rect().contains(control->geometry()));
      EXPECT_EQ(control->size().expandedTo(control->minimumSizeHint()), control->size());
      EXPECT_TRUE(!qobject_cast<QLineEdit*>(control) ||
                  control->width() >= control->fontMetrics().horizontalAdvance("0000"));
      EXPECT_TRUE(i == 0 || i == 6 || controls[i - 1]->geometry().right() <= control->x());
      EXPECT_EQ(i < 6, control->geometry().bottom() < dialog.Button1->y());
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

// Texts the user types: characters without a Windows-1252 code become "?", the bytes that
// frame texts in files never enter one, and no length limit applies anywhere on the way.
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "model/Records.h"
#include "platform/MemoryStream.h"
#include "platform/qt/LongTextField.h"
#include "platform/qt/QtDialogs.h"
#include "shell/Conversions.h"
#include "shell/ForEdit.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

// Runs Qt's own input box on text; once it is open, typed replaces its text (unless null)
// and the box is confirmed.
bool TypeIntoInputBox(std::string& text, const QString* typed) {
  QtDialogs qtDialogs;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = true;
    auto* oneLine = qobject_cast<QInputDialog*>(box);
    if (typed && oneLine) oneLine->setTextValue(*typed);
    if (auto* field = box->findChild<LongTextField*>(); typed && field) field->SetText(*typed);
    box->accept();
  });
  const bool confirmed = qtDialogs.InputQuery("Anweisung", "Gib eine neue Anweisung ein:", text);
  EXPECT_TRUE(seen) << "the input box did not open";
  return confirmed;
}

TEST(TypedTextInQt, CharactersWithoutACodeBecomeOneQuestionMarkEach) {
  std::string text = "alt";
  const QString typed = QString::fromUtf8("Größe → €😀\x01 Ende");
  ASSERT_TRUE(TypeIntoInputBox(text, &typed));
  EXPECT_EQ(text, "Gr\xF6\xDF" "e ? \x80?\x01 Ende") << "the box hands over what was typed";
  TAnweisung statement("");
  statement.SetText(text);
  EXPECT_EQ(statement.Text, "Gr\xF6\xDF" "e ? \x80? Ende") << "01 never enters a text";
}

TEST(TypedTextInQt, AHundredThousandCharactersPassTheBoxBothWays) {
  const std::string offered(100000, 'a');
  std::string text = offered;
  ASSERT_TRUE(TypeIntoInputBox(text, nullptr));
  EXPECT_EQ(text, offered) << "pre-filled in full";
  const QString typed(100000, QChar(0xE4));
  ASSERT_TRUE(TypeIntoInputBox(text, &typed));
  EXPECT_EQ(text, std::string(100000, '\xE4'));
}

// Runs Qt's input box on a long text. It opens in a field that lays out only the paragraphs in
// view, as a one-line field lays out its whole text; edit acts on it before key is pressed.
bool RunLongTextBox(std::string& text, Qt::Key key,
                    const std::function<void(QPlainTextEdit&)>& edit = {}) {
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    for (auto* line : box->findChildren<QLineEdit*>()) EXPECT_LT(line->text().size(), 1000);
    auto* field = box->findChild<QPlainTextEdit*>();
    if (!field) return box->reject();
    int laidOut = 0;
    for (QTextBlock b = field->document()->begin(); b.isValid(); b = b.next())
      laidOut += b.layout() && b.layout()->lineCount() > 0;
    EXPECT_LT(laidOut, 100);
    if (edit) edit(*field);
    QTest::keyClick(field, key);
  });
  return QtDialogs().InputQuery("Anweisung", "Gib eine neue Anweisung ein:", text);
}

// The field's paragraph breaks never reach the text; line breaks do.
TEST(TypedTextInQt, ALongTextOpensWithOnlyWhatIsInViewLaidOut) {
  std::string offered(2000000, 'x');
  for (std::size_t i = 999; i < offered.size(); i += 7919) offered.replace(i, 3, "\r\n\xE4");
  std::string text = offered;
  EXPECT_TRUE(RunLongTextBox(text, Qt::Key_Return));
  EXPECT_EQ(text, offered);
  EXPECT_TRUE(RunLongTextBox(text, Qt::Key_Enter, [](QPlainTextEdit& field) {
    QApplication::clipboard()->setText("x\ny");
    field.paste();
  }));
  EXPECT_EQ(text, "x\ny") << "pasted over the whole text, selected as the box opens";
  EXPECT_FALSE(RunLongTextBox(offered, Qt::Key_Escape, [](QPlainTextEdit& f) { f.clear(); }));
}

using TypedTextTest = EditorTest;

TEST_F(TypedTextTest, FramingBytesNeverEnterATextFromAnyDialog) {
  SetDesign("A(a) F(i von 1 bis 2)[]");
  Click(First(), At({0}));
  dialogs.ConfirmInput(std::string("x\0y\x01z", 5));
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(At({0})->Text, "xyz");
  dialogs.ConfirmInput(std::string("\x01\x01", 2));
  Key(First(), Qt::Key_Insert);
  EXPECT_EQ(Design(), "A(xyz) A() F(i von 1 bis 2)[]");
  dialogs.AnswerModal([](ModalWindow& window) {
    auto& dialog = dynamic_cast<TForm3&>(window);
    dialog.Edit1->setText(QString::fromUtf8("j\x01"));
    dialog.Button1Click();
    return LoopTextDialog::Confirmed;
  });
  Click(First(), At({2}));
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(At({2})->Text, "j von 1 bis 2");
}

TEST_F(TypedTextTest, AHundredThousandCharacterTextIsKeptSavedAndRead) {
  SetDesign("B(b)[]");
  const std::string text(100000, 'x');
  Click(First(), At({0}));
  dialogs.ConfirmInput(text);
  Key(First(), Qt::Key_Insert);
  ASSERT_EQ(At({0, 1, 0})->Text, text);
  dialogs.ConfirmInputUnchanged();
  Click(First(), At({0, 1, 0}));
  Key(First(), Qt::Key_Return);
  EXPECT_EQ(dialogs.inputCalls.back().text, text) << "offered in full";
  EXPECT_EQ(At({0, 1, 0})->Text, text);
  MemoryStream stream(SaveDesignBytes(Root()));
  const BlockPtr read = LoadRootBlock(stream);
  EXPECT_EQ(RenderBody(*read), Design());
}

}  // namespace
}  // namespace editortest

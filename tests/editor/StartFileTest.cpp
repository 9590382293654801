// Starting the editor with the name of a design file.
#include <QTemporaryDir>
#include <fstream>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class StartFileTest : public EditorTest {
 protected:
  void SetUp() override {}  // each test starts the editor itself
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  QTemporaryDir folder;
};

TEST_F(StartFileTest, AMissingFileIsReportedOnceAndANewDesignStarts) {
  const std::string path = folder.filePath("fehlt.str").toStdString();
  Start(path);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs.messages[0].caption, "Struktogramme");
  EXPECT_EQ(dialogs.messages[0].text, "Datei " + path + " kann nicht geöffnet werden");
  EXPECT_EQ(First().windowTitle(), "gesamtes Programm");
  EXPECT_EQ(Root().Body, nullptr);
}

TEST_F(StartFileTest, AValidFileIsShownUnderItsStoredTitle) {
  const std::string path = Write("kasse.str", std::string("B:Kasse\x01" "A:zahlen\x01\x02\x02", 19));
  Start(path);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(First().windowTitle(), "Kasse");
  EXPECT_EQ(Design(), "A(zahlen)");
  EXPECT_EQ(Root().Movable, 0);
  EXPECT_EQ(Root().Braced, 0);
  EXPECT_EQ(form->UndoStates.Count(), 0);
}

TEST_F(StartFileTest, ADamagedFileIsReportedAndANewDesignStarts) {
  for (const std::string& bytes : {std::string("B:Kasse ohne Ende"), std::string()}) {
    dialogs.messages.clear();
    Start(Write("kaputt.str", bytes));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].text, "Stream-Lesefehler");
    EXPECT_EQ(First().windowTitle(), "gesamtes Programm");
    EXPECT_EQ(Root().Body, nullptr);
  }
}

TEST_F(StartFileTest, AFolderIsReportedAndANewDesignStarts) {
  Start(folder.path().toStdString());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(First().windowTitle(), "gesamtes Programm");
}

}  // namespace
}  // namespace editortest

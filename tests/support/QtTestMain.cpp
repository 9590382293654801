#include <gtest/gtest.h>

#include <QApplication>

// Qt tests run without a display: the offscreen platform is chosen unless the caller picked
// one. The application object lives for the whole run, as widgets and fonts need it.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

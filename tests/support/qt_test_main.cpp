// Test entry point: a QApplication on the offscreen platform, so widget tests and
// plain tests share one runner.
#include <QApplication>
#include <QLocale>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

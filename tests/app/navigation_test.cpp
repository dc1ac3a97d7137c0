#include "app/area_window.h"
#include "app/navigator.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CountingWindow : public app::AreaWindow {
  public:
    void activate() override { ++activations; }
    int activations = 0;
};

TEST(AreaWindow, TheCloseBoxIsRefusedButShutdownCloses) {
    CountingWindow window;
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.activations, 0);

    window.closeForShutdown();
    EXPECT_FALSE(window.isVisible());
}

class NavigatorTest : public testing::Test {
  protected:
    void SetUp() override {
        navigator.setMainMenu(&menu);
        navigator.go(nullptr, &menu);
    }
    app::Navigator navigator;
    CountingWindow menu;
    CountingWindow area;
};

TEST_F(NavigatorTest, EnteringAndLeavingSwapsWindowsAndActivatesOnce) {
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.activations, 1);

    navigator.go(&menu, &area);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(area.isVisible());
    EXPECT_EQ(area.activations, 1);
    EXPECT_EQ(menu.activations, 1);

    navigator.backToMainMenu(&area);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(area.isVisible());
    EXPECT_EQ(menu.activations, 2);
    EXPECT_EQ(area.activations, 1);
}

TEST_F(NavigatorTest, FocusChangesAndMessageBoxesDoNotActivate) {
    navigator.go(&menu, &area);
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    area.activateWindow();
    QApplication::processEvents();

    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    QMessageBox::information(&area, "Gestione", "Operazione eseguita !");
    QApplication::processEvents();

    EXPECT_EQ(area.activations, 1);
}

TEST_F(NavigatorTest, LeavingTheWindowOpenedOverActivatesTheCallerAgain) {
    navigator.go(&menu, &area);
    QWidget printer;
    navigator.openOver(&area, &printer);
    EXPECT_TRUE(printer.isVisible());
    EXPECT_TRUE(area.isVisible());
    EXPECT_EQ(area.activations, 1);

    printer.hide();
    EXPECT_EQ(area.activations, 2);

    // Shown again by other means: leaving it is no longer navigation.
    printer.show();
    printer.hide();
    EXPECT_EQ(area.activations, 2);
}

TEST_F(NavigatorTest, ClosingOrDestroyingTheWindowOpenedOverActivatesOnce) {
    navigator.go(&menu, &area);
    auto printer = std::make_unique<QWidget>();
    printer->setAttribute(Qt::WA_DeleteOnClose, false);
    navigator.openOver(&area, printer.get());
    navigator.openOver(&area, printer.get());  // asked twice while open
    printer->close();
    EXPECT_EQ(area.activations, 2);

    navigator.openOver(&area, printer.get());
    printer.reset();
    EXPECT_EQ(area.activations, 3);
}

TEST_F(NavigatorTest, ACallerThatWasLeftMeanwhileIsNotActivated) {
    navigator.go(&menu, &area);
    QWidget printer;
    navigator.openOver(&area, &printer);
    navigator.backToMainMenu(&area);
    printer.hide();
    EXPECT_EQ(area.activations, 1);
}

}  // namespace

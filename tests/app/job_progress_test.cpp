#include "app/job_progress.h"

#include <QAccessible>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Runs `steps` steps, the user pressing "Annulla" once step `cancelAt` is shown
// (0: never); gives how many steps the job went through.
int stepsRun(app::JobProgress& progress, QWidget& window, int steps, int cancelAt) {
    int run = 0;
    for (int i = 1; i <= steps; ++i) {
        const bool goOn = progress.step(i, steps);
        ++run;
        if (i == cancelAt) {
            auto* const dialog = window.findChild<QProgressDialog*>();
            auto* const button = dialog ? dialog->findChild<QPushButton*>() : nullptr;
            if (!button)
                return -1;
            button->click();
        }
        if (!goOn)
            break;
    }
    return run;
}

TEST(JobProgress, TheJobStopsAtTheStepAfterTheUserCancels) {
    struct Row {
        int steps, cancelAt, run;
        bool cancelled;
    };
    for (const Row& row :
         {Row{5, 0, 5, false}, Row{5, 1, 2, true}, Row{5, 3, 4, true}, Row{5, 5, 5, true}}) {
        QWidget window;
        app::JobProgress progress(QStringLiteral("Stampa in corso..."), QStringLiteral("Brisvel"),
                                  row.steps, &window);
        EXPECT_EQ(stepsRun(progress, window, row.steps, row.cancelAt), row.run)
            << row.steps << " " << row.cancelAt;
        EXPECT_EQ(progress.cancelled(), row.cancelled) << row.cancelAt;
    }
}

TEST(JobProgress, ABarNamedByItsJobShowsATotalLearnedAsTheJobGoes) {
    QWidget window;
    app::JobProgress progress(QStringLiteral("Preparazione..."), QStringLiteral("Brisvel"), 1,
                              &window);
    auto* const dialog = window.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(progress.step(3, 40));
    EXPECT_EQ(dialog->maximum(), 40);
    EXPECT_EQ(dialog->value(), 3);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    auto* const bar = dialog->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    QAccessibleInterface* const said = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(said->text(QAccessible::Name), QStringLiteral("Preparazione..."));
    progress.close();
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace

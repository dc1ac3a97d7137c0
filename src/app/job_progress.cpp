#include "app/job_progress.h"

#include <QProgressBar>

namespace app {

namespace {

// How long a job runs before its box appears.
constexpr int kShownAfterMs = 500;

}  // namespace

JobProgress::JobProgress(const QString& text, const QString& title, int steps, QWidget* parent,
                         const QString& objectName)
    : dialog_(text, QStringLiteral("Annulla"), 0, steps, parent) {
    dialog_.setObjectName(objectName);
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(kShownAfterMs);
    // The bar is named by the job, so a screen reader says what is progressing.
    if (auto* const bar = dialog_.findChild<QProgressBar*>())
        bar->setAccessibleName(text);
}

bool JobProgress::step(int done, int total) {
    dialog_.setMaximum(total);
    dialog_.setValue(done);
    return !dialog_.wasCanceled();
}

}  // namespace app

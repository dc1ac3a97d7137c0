#include "app/job_progress.h"

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
}

bool JobProgress::step(int done, int total) {
    if (total != dialog_.maximum())
        dialog_.setMaximum(total);
    dialog_.setValue(done);
    return !dialog_.wasCanceled();
}

}  // namespace app

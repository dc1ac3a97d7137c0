#pragma once

// The progress of a long job the user waits for (printing a list, exporting or
// packing invoices): a box over the window that started it, which that window
// cannot be used behind, with "Annulla" to stop the job at its next step. It
// shows itself only when the job lasts, so a short one does not flash it.

#include <QProgressDialog>

namespace app {

class JobProgress {
  public:
    JobProgress(const QString& text, const QString& title, int steps, QWidget* parent,
                const QString& objectName = {});
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;

    // Shows `done` of `total` steps, a total the job may learn only as it goes;
    // false once the user has asked to stop.
    bool step(int done, int total);
    bool cancelled() const { return dialog_.wasCanceled(); }
    // Takes the box away, before the job's outcome is told.
    void close() { dialog_.reset(); }

  private:
    QProgressDialog dialog_;
};

}  // namespace app

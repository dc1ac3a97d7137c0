#include "app/session.h"

#include "app/dialog_titles.h"
#include "app/message_boxes.h"

namespace app {

namespace {

// Yes ends without saving; No keeps the program, and the changes, as they are.
bool endWithoutSaving(MessageBoxes& boxes, const QString& why) {
    return boxes.askYesNo(
        QStringLiteral("Impossibile salvare il database Gestione.xls.\n") + why +
            QStringLiteral("\n\nVuoi chiudere il programma senza salvare?\n"
                           "Le modifiche dall'ultimo salvataggio andranno perse.\n"
                           "Scegli No per restare nel programma e riprovare più tardi."),
        app::title::kProgram, Icon::Warning);
}

}  // namespace

Session::Session(QString programFolder) : folder_(std::move(programFolder)) {
    store_.emplace(engine_, folder_);
}

StartOutcome Session::start(MessageBoxes& boxes) {
    return runStartUp(folder_, boxes, *store_);
}

bool Session::shutDown(MessageBoxes& boxes) {
    if (isRunning()) {
        const auto saved = store_->shutdown();
        if (!saved && !endWithoutSaving(boxes, saved.error().message))
            return false;
        store_->close();  // saved and closed already, or given up unsaved
    }
    store_.reset();
    return true;
}

}  // namespace app

#include "app/store_saving.h"

#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "store/workbook_store.h"

namespace app {

bool saveStoreTelling(store::WorkbookStore& store, MessageBoxes& boxes) {
    const auto saved = store.saveStore();
    if (saved)
        return true;
    boxes.tell(QStringLiteral("Salvataggio di Gestione.xls non riuscito.\n") +
                   saved.error().message +
                   QStringLiteral("\nLe modifiche restano in memoria e saranno salvate al "
                                  "prossimo salvataggio."),
               app::title::kGestione, Icon::Critical);
    return false;
}

bool saveThenTell(store::WorkbookStore& store, MessageBoxes& boxes, const QString& text,
                  const QString& title, Icon icon) {
    return saveThenTell(store, boxes, Message{text, title, icon, Buttons::Ok});
}

bool saveThenTell(store::WorkbookStore& store, MessageBoxes& boxes, const Message& message) {
    if (!saveStoreTelling(store, boxes))
        return false;
    boxes.message(message);
    return true;
}

}  // namespace app

#include "app/reach_sheet.h"

#include "app/dialog_titles.h"
#include "app/message_boxes.h"

namespace app {

std::optional<store::Worksheet> reachSheet(const store::Result<store::Worksheet>& sheet,
                                           MessageBoxes& boxes) {
    if (!sheet) {
        boxes.tell(sheet.error().message, title::kProgram, Icon::Critical);
        return std::nullopt;
    }
    return *sheet;
}

}  // namespace app

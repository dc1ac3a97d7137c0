#include "app/date_text.h"

#include "store/typed_entry.h"

namespace app {

QString dateText(const QDate& date) {
    return store::italianDateText(date);
}

QString timeText(const QTime& time) {
    return time.toString(u"HH:mm:ss");
}

}  // namespace app

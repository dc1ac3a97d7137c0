#include "app/date_text.h"

namespace app {

QString dateText(const QDate& date) {
    return date.toString(u"dd/MM/yyyy");
}

QString timeText(const QTime& time) {
    return time.toString(u"HH:mm:ss");
}

}  // namespace app

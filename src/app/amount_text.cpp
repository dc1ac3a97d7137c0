#include "app/amount_text.h"

#include "store/number_text.h"

namespace app {

QString CtrNumD(const QString& text) {
    const auto value = store::readRegionalNumber(text);
    return value ? CtrNumD(*value) : QString();
}

QString CtrNumD(double value) {
    return store::formatAmount(value);
}

}  // namespace app

#pragma once

// Amounts as every window shows them: "#,0.00" with Italian separators.

#include <QString>

namespace app {

// The amount in `text` as "1.234,50"; a text that does not read as a number
// (an empty one included) gives an empty text.
QString CtrNumD(const QString& text);

// `value` as "1.234,50", rounded half away from zero; a value that is not a
// finite number gives an empty text.
QString CtrNumD(double value);

}  // namespace app

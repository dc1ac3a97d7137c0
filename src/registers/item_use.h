#pragma once

// Whether a settings item is still in use, so that it may be taken out of its list:
// payment types and exemption items by their text in the register, rates by the rate
// each invoice was made with (kept beside it, else worked back from its amounts).
// Widget-free.

#include <QString>

#include <optional>

#include "registers/sheet_layout.h"

namespace store {
class Workbook;
}

namespace registers {

// The first invoice that uses `item` of list `column` of Utilità, as "la fattura n. 3
// del 05/03/2026"; none when no invoice does.
std::optional<QString> invoiceUsing(store::Workbook& book, int column, const QString& item);

// Takes the item at list `position` of `column` out of its list when no invoice uses
// it; else a refusal that names the invoice, and nothing is written.
RowChange removeUnusedItem(store::Workbook& book, int column, int position);

}  // namespace registers

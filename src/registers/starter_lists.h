#pragma once

// The lists an Italian professional starts from, offered once to a store whose
// settings lists are empty: the usual VAT, surcharge and withholding rates, the common
// payment types with their days and payment method, the exemptions with their Natura.
// Each item is written by the lists' own writer and stays editable as any other.
// Widget-free.

#include <QString>
#include <QStringList>

#include "store/store_error.h"
#include "store/worksheet.h"

namespace store {
class Workbook;
}

namespace registers {

// True when every list of Utilità holds nothing beyond its "none" item.
bool settingsListsEmpty(const store::Worksheet& settings);

// A short Italian summary of what addStarterLists() writes, for the question.
QString starterListsSummary();

// Writes the starter items into the empty lists of `book` and their codes into the
// sheet FatturaPA. Nothing is written into a store that has lists; an error when a
// sheet is missing or an item is refused.
store::Result<store::Done> addStarterLists(store::Workbook& book);

}  // namespace registers

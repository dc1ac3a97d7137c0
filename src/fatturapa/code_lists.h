#pragma once

// The official code lists of the electronic invoice, each code with the description
// the Agenzia delle Entrate gives it: what the codes window offers and what the
// checks accept. The Natura codes without a subcode (N2, N3, N6) are left out: the
// Sistema di Interscambio no longer accepts them.

#include <QString>

#include <vector>

namespace fatturapa {

struct OfficialCode {
    QString code;
    QString description;
};
using CodeList = std::vector<OfficialCode>;

const CodeList& cassaTypes();        // TC01..TC22
const CodeList& natures();           // N1..N7 with subcodes
const CodeList& withholdingTypes();  // RT01..RT06
const CodeList& paymentReasons();    // A..ZO
const CodeList& paymentMethods();    // MP01..MP23
const CodeList& taxRegimes();        // RF01..RF19

bool contains(const CodeList& list, const QString& code);
// A country code of ISO 3166-1 alpha-2, in capitals ("IT", "DE", "US"), or XI, the code
// the EU gives Northern Ireland for VAT.
bool isCountryCode(const QString& code);
// The description of `code`, empty when the list does not hold it.
QString descriptionOf(const CodeList& list, const QString& code);

}  // namespace fatturapa

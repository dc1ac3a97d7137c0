#pragma once

// The way from an empty store to a first electronic invoice the exchange system
// accepts, as the main menu lists it until that invoice is registered: the user's own
// data, the tax regime and the surcharge's fund, a client, the invoice. Each step
// says what it still lacks, in words the user can act on. Widget-free.

#include <QString>
#include <QStringList>

#include <vector>

namespace store {
class Workbook;
}

namespace fatturapa {

struct FirstStep {
    QString title;        // what to do, and where: "I tuoi dati (Dati Anagrafici Utente)"
    QStringList missing;  // empty once the step is done

    bool done() const { return missing.isEmpty(); }
    bool operator==(const FirstStep&) const = default;
};

struct FirstSteps {
    // Once an invoice is registered the list has done its job and is no longer shown.
    bool invoiceRegistered = false;
    std::vector<FirstStep> steps;
};

// The four steps as the store stands; a sheet that cannot be read counts as empty.
FirstSteps firstSteps(store::Workbook& book);

}  // namespace fatturapa

#include "app/startup.h"

#include "app/dialog_titles.h"
#include "app/message_boxes.h"
#include "printing/font_measure.h"
#include "registers/core_sheets.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "registers/sdi_history.h"
#include "store/engine.h"
#include "store/store_lock.h"
#include "store/workbook_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

namespace {

void makeBackupFolder(const QString& programFolder) {
    // Not reported when it fails: the backup itself tells the user then.
    QDir(programFolder).mkdir(QString::fromLatin1(store::kBackupFolderName));
}

// Who holds the store, from its lock file, and how to clear a lock file that a
// program which is no longer open left behind.
QString holderNote(const QString& storePath) {
    const std::optional<store::LockHolder> holder = store::StoreLock::holder(storePath);
    if (!holder)
        return QString();
    const QString who = holder->user.isEmpty() ? holder->program : holder->user;
    QString note = QStringLiteral(
                       "\n\nSecondo il file di blocco è aperto da %1 sul computer %2 "
                       "dal %3")
                       .arg(who.isEmpty() ? QStringLiteral("un utente sconosciuto") : who,
                            holder->host.isEmpty() ? QStringLiteral("sconosciuto") : holder->host,
                            holder->since);
    if (holder->ours)
        return note + QStringLiteral(" in un'altra copia di questo programma.");
    return note + QStringLiteral(
                      ".\nSe quel programma non è più aperto, eliminare il file %1 "
                      "e riavviare l'applicazione.")
                      .arg(QDir::toNativeSeparators(store::StoreLock::lockPathFor(storePath)));
}

void tellInUse(MessageBoxes& boxes, const QString& storePath) {
    boxes.tell(QStringLiteral("ERRORE: Risulta che il database Gestione.xls è già aperto\n"
                              " Occorre chiuderlo e  poi si potrà riaprire l'applicazione !") +
                   holderNote(storePath),
               app::title::kGestione, Icon::Critical);
}

void tellReadOnly(MessageBoxes& boxes, const QString& storePath) {
    boxes.tell(QStringLiteral("Il database %1 è in sola lettura: le modifiche non potrebbero "
                              "essere salvate.\nConsentire la scrittura del file (o copiarlo in "
                              "una cartella in cui si può scrivere) e riavviare l'applicazione.\n\n"
                              "Il file non è stato modificato. Il programma verrà chiuso.")
                   .arg(storePath),
               app::title::kProgram, Icon::Critical);
}

void tellMissing(MessageBoxes& boxes, const QString& storePath) {
    boxes.tell(QStringLiteral("Impossibile eseguire il programma\r\nIl file ") + storePath +
                   QStringLiteral(" non è stato trovato."),
               app::title::kProgram);
}

void tellUnreadable(MessageBoxes& boxes, const QString& why) {
    boxes.tell(QStringLiteral("Impossibile aprire il database Gestione.xls.\n") + why +
                   QStringLiteral("\n\nIl file non è stato modificato. Il programma verrà chiuso."),
               app::title::kProgram, Icon::Critical);
}

}  // namespace

QString programFile(const QString& programFolder, const QString& fileName) {
    return QDir::toNativeSeparators(QDir::cleanPath(programFolder) + u'/' + fileName);
}

bool verifyFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

StartOutcome runStartUp(const QString& programFolder, MessageBoxes& boxes,
                        store::WorkbookStore& store) {
    makeBackupFolder(programFolder);

    const QString storePath =
        programFile(programFolder, QString::fromLatin1(store::kStoreFileName));
    if (store::isFileInUse(storePath)) {
        tellInUse(boxes, storePath);
        return StartOutcome::InUse;
    }
    if (!verifyFile(storePath)) {
        tellMissing(boxes, storePath);
        return StartOutcome::Missing;
    }

    const auto opened = store.open();
    if (!opened) {
        // Another program may have taken the store, or removed it, since the tests above.
        switch (opened.error().kind) {
            case store::Error::Kind::InUse:
                tellInUse(boxes, storePath);
                return StartOutcome::InUse;
            case store::Error::Kind::Missing:
                tellMissing(boxes, storePath);
                return StartOutcome::Missing;
            default:
                tellUnreadable(boxes, opened.error().message);
                return StartOutcome::Unreadable;
        }
    }

    // Every confirmed change is saved at once: a store that cannot be written is
    // refused now, before any work is done on it.
    if (!QFileInfo(storePath).isWritable()) {
        store.close();
        tellReadOnly(boxes, storePath);
        return StartOutcome::Unreadable;
    }

    registers::prepareCoreSheets(store);
    // The electronic invoice's codes live in a sheet of their own, added after the
    // others, so the four sheets stay as older copies of the program know them.
    registers::prepareEinvoiceCodesSheet(store);
    registers::prepareInvoiceExtrasSheet(store);
    registers::prepareSdiHistorySheet(store);
    // Fitted with the fonts that print them, so the page never cuts a fitted text.
    static const printing::FontTextMeasure fonts;
    store.autoFitSheets(fonts);
    return StartOutcome::Ready;
}

}  // namespace app

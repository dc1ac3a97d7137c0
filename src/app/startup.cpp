#include "app/startup.h"

#include "app/message_boxes.h"
#include "printing/font_measure.h"
#include "registers/core_sheets.h"
#include "registers/einvoice_codes.h"
#include "registers/invoice_extras.h"
#include "store/engine.h"
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

void tellInUse(MessageBoxes& boxes) {
    boxes.tell(QStringLiteral("ERRORE: Risulta che il database Gestione.xls è già aperto\n"
                              " Occorre chiuderlo e  poi si potrà riaprire l'applicazione !"),
               QStringLiteral("Gestione"), Icon::Critical);
}

void tellMissing(MessageBoxes& boxes, const QString& storePath) {
    boxes.tell(QStringLiteral("Impossibile eseguire il programma\r\nIl file ") + storePath +
                   QStringLiteral(" non è stato trovato."),
               QStringLiteral("Brisvel"));
}

void tellUnreadable(MessageBoxes& boxes, const QString& why) {
    boxes.tell(QStringLiteral("Impossibile aprire il database Gestione.xls.\n") + why +
                   QStringLiteral("\n\nIl file non è stato modificato. Il programma verrà chiuso."),
               QStringLiteral("Brisvel"), Icon::Critical);
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
        tellInUse(boxes);
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
                tellInUse(boxes);
                return StartOutcome::InUse;
            case store::Error::Kind::Missing:
                tellMissing(boxes, storePath);
                return StartOutcome::Missing;
            default:
                tellUnreadable(boxes, opened.error().message);
                return StartOutcome::Unreadable;
        }
    }

    registers::prepareCoreSheets(store);
    // The electronic invoice's codes live in a sheet of their own, added after the
    // others, so the four sheets stay as older copies of the program know them.
    registers::prepareEinvoiceCodesSheet(store);
    registers::prepareInvoiceExtrasSheet(store);
    // Fitted with the fonts that print them, so the page never cuts a fitted text.
    static const printing::FontTextMeasure fonts;
    store.autoFitSheets(fonts);
    return StartOutcome::Ready;
}

}  // namespace app

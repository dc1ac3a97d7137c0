// The parts of the engine that touch files: opening and saving workbooks.
#include <QFileInfo>

#include "store/atomic_file.h"
#include "store/engine.h"
#include "store/workbook.h"
#include "xls/reader.h"
#include "xls/writer.h"

namespace store {

namespace {

Error fromCodec(const xls::Error& error, const QString& path) {
    if (error.kind == xls::Error::Kind::Io && !QFileInfo::exists(path)) {
        return {Error::Kind::Missing,
                QStringLiteral("Il file %1 non è stato trovato.").arg(QFileInfo(path).fileName())};
    }
    if (error.kind == xls::Error::Kind::Io)
        return {Error::Kind::Io, error.message};
    return {Error::Kind::Unreadable, error.message};
}

// The file is written as it is composed: no copy of the whole file is made in
// memory on the way to the disk.
Result<Done> writeTo(const xls::Workbook& model, const QString& path, const QString& password) {
    return writeFileAtomically(path, [&](QFileDevice& file) -> Result<Done> {
        const auto written = xls::writeWorkbook(model, file, password);
        if (!written)
            return Error{Error::Kind::Io, written.error().message};
        return Done{};
    });
}

}  // namespace

Result<Workbook*> Engine::open(const QString& path, const QString& password) {
    auto model = xls::readWorkbookFile(path, password);
    if (!model)
        return fromCodec(model.error(), path);
    return &add(std::make_unique<Workbook>(std::move(model).value(),
                                           QFileInfo(path).absoluteFilePath(), password));
}

Result<Done> Workbook::save() {
    Q_ASSERT_X(!path_.isEmpty(), "Workbook::save", "a new workbook is saved with saveAs");
    auto written = writeTo(model_, path_, password_);
    if (written)
        unsaved_ = false;
    return written;
}

Result<Done> Workbook::saveCopyAs(const QString& path) {
    return writeTo(model_, path, QString());
}

Result<Done> Workbook::saveAs(const QString& path, const QString& password) {
    auto written = writeTo(model_, path, password);
    if (!written)
        return written;
    path_ = QFileInfo(path).absoluteFilePath();
    password_ = password;
    unsaved_ = false;
    return Done{};
}

}  // namespace store

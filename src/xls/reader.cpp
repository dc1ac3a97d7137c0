#include "xls/reader.h"

#include <QFile>

#include <fcntl.h>

#include <cstdio>

#include <set>

#include "xls/compound_file.h"
#include "xls/descriptor_stream.h"
#include "xls/globals_reader.h"
#include "xls/read_errors.h"
#include "xls/record_stream.h"
#include "xls/record_types.h"
#include "xls/sheet_reader.h"
#include "xls/stream_decryption.h"

namespace xls {

namespace {

Error oldFormat() {
    return Error{Error::Kind::OldFormat,
                 QStringLiteral("Il file è in un formato di Excel troppo vecchio.")};
}

// Reads the BOF that opens a substream and gives its kind; BIFF5 and older are
// refused.
Result<std::uint16_t> readBof(RecordStream& records) {
    const std::size_t at = records.position();
    Record bof;
    if (!records.next(bof))
        return damagedFile();
    // BIFF2 to BIFF4 have their own BOF record numbers.
    if (bof.type == 0x0009 || bof.type == 0x0209 || bof.type == 0x0409)
        return oldFormat();
    if (bof.type != rec::Bof)
        return damagedRecord(at);
    ByteReader in = bof.reader();
    const std::uint16_t version = in.u16();
    const std::uint16_t kind = in.u16();
    if (!in.ok())
        return damagedRecord(at);
    if (version != rec::kBiff8)
        return oldFormat();
    return kind;
}

void attachPrintAreas(const Globals& g, const std::vector<int>& modelIndex, Workbook& book) {
    for (const PrintAreaName& name : g.printAreas) {
        int tab = name.sheetTab - 1;
        if (tab < 0 && name.xti && *name.xti < g.externSheetTabs.size())
            tab = g.externSheetTabs[*name.xti];
        if (tab < 0 || std::size_t(tab) >= modelIndex.size() || modelIndex[tab] < 0)
            continue;
        book.sheets[std::size_t(modelIndex[tab])].page.printArea = name.area;
    }
}

}  // namespace

Result<Workbook> readWorkbook(const QByteArray& fileBytes, const QString& password) {
    Result<QByteArray> streamBytes = readWorkbookStream(fileBytes);
    if (!streamBytes)
        return streamBytes.error();
    return readWorkbookStreamBytes(std::move(*streamBytes), password);
}

namespace {

// The workbook in `bytes`, a Workbook stream deciphered in place: by `started`,
// when its deciphering began while it was read.
Result<Workbook> readStream(QByteArray& bytes, const QString& password,
                            std::unique_ptr<CipherPipeline> started = nullptr) {
    Result<std::unique_ptr<CipherPipeline>> deciphering =
        started ? std::move(started) : decryptWorkbookStream(bytes, password);
    if (!deciphering)
        return deciphering.error();

    const std::span<const std::uint8_t> stream(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    RecordStream records(stream);
    if (*deciphering)
        records.readBehind(deciphering->get());
    Result<std::uint16_t> kind = readBof(records);
    if (!kind)
        return kind.error();
    if (*kind != rec::kGlobals)
        return damagedRecord(0);
    Result<Globals> globals = readGlobals(records);
    if (!globals)
        return globals.error();
    Globals& g = *globals;
    Workbook book = std::move(g.book);

    SlotBudget budget = SlotBudget::forStream(stream.size());
    const SheetContext context{g.sharedStrings, book.xfs.size(), budget};
    std::vector<int> modelIndex(g.sheets.size(), -1);
    std::set<std::uint32_t> seen;
    for (std::size_t i = 0; i < g.sheets.size(); ++i) {
        const SheetEntry& entry = g.sheets[i];
        if (!entry.worksheet)
            continue;
        // Two sheets cannot share one substream; a file that says so is damaged.
        if (entry.position >= stream.size() || !seen.insert(entry.position).second)
            return damagedFile();
        records.seek(entry.position);
        Result<std::uint16_t> sheetKind = readBof(records);
        if (!sheetKind)
            return sheetKind.error();
        if (*sheetKind != rec::kWorksheet)
            continue;  // a chart or macro sheet, which the model does not hold
        Result<Sheet> sheet = readSheet(records, context);
        if (!sheet)
            return sheet.error();
        sheet->name = entry.name;
        sheet->hidden = entry.hidden;
        sheet->fileTab = int(i);
        modelIndex[i] = int(book.sheets.size());
        book.sheets.push_back(std::move(*sheet));
    }
    attachPrintAreas(g, modelIndex, book);
    if (g.activeTab >= 0 && std::size_t(g.activeTab) < modelIndex.size() &&
        modelIndex[std::size_t(g.activeTab)] >= 0)
        book.activeSheet = modelIndex[std::size_t(g.activeTab)];
    return book;
}

Error unreadable(const QString& path) {
    return Error{Error::Kind::Io, QStringLiteral("Impossibile leggere il file %1.").arg(path)};
}

// The Workbook stream of the file at `path`, read from the disk into `stream`, a
// buffer of its own, `progress` told as it comes in. (The file is not mapped: a
// file cut short by another program while mapped would crash us.)
Result<brisvel::Done> workbookStreamOfFile(const QString& path, QByteArray& stream,
                                           const ReadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(path);
    // What of the file the system no longer holds in memory is fetched from the
    // disk all at once, while the first parts are read and deciphered, rather than
    // part by part as the reading reaches it. Only advice: a refusal changes nothing.
    ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_WILLNEED);
    std::FILE* const in = streamOnDescriptor(file, "rb");
    if (!in)
        return unreadable(path);
    Result<brisvel::Done> read = readWorkbookStream(in, stream, progress);
    // A disk that failed under the read is what the user is told, not the
    // container it left unreadable.
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        return unreadable(path);
    return read;
}

}  // namespace

Result<Workbook> readWorkbookStreamBytes(QByteArray bytes, const QString& password) {
    return readStream(bytes, password);
}

Result<Workbook> readWorkbookFile(const QString& path, const QString& password,
                                  QByteArray* streamMemory) {
    QByteArray stream;
    Result<std::unique_ptr<CipherPipeline>> started = std::unique_ptr<CipherPipeline>();
    {
        // Declared after the stream, so its deciphering stops before the stream goes.
        DecryptionAsRead decryption(password);
        Result<brisvel::Done> read = workbookStreamOfFile(
            path, stream,
            [&](std::span<std::uint8_t> bytes, std::size_t n) { decryption.read(bytes, n); });
        if (!read)
            return read.error();
        started = decryption.whole();
    }
    if (!started)
        return started.error();
    Result<Workbook> book = readStream(stream, password, std::move(*started));
    if (streamMemory)
        *streamMemory = std::move(stream);
    return book;
}

}  // namespace xls

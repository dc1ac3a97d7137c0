// brisvel-xls: command-line access to workbooks. Prints a workbook's cells as
// JSON, writes a workbook from such JSON, copies a workbook through the codec and
// makes the empty store and the invoice form template.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

#include "dump.h"
#include "load_json.h"
#include "registers/invoice_form.h"
#include "store/workbook_store.h"
#include "xls/huge_pages.h"
#include "xls/reader.h"
#include "xls/writer.h"

namespace {

enum Exit { kOk = 0, kFailed = 1, kUsage = 2, kPassword = 3 };

const char kUsageText[] =
    "Uso: brisvel-xls dump FILE [--password PW] | write SPEC.json OUT [--password PW] | "
    "copy IN OUT [--password PW] [--out-password PW2] | new-store OUT | new-template OUT";

// The sheets of a new store, in workbook order.
int fail(const QString& message, int code = kFailed) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    return code;
}

int failWith(const xls::Error& error) {
    return fail(error.message,
                error.kind == xls::Error::Kind::PasswordNeeded ? kPassword : kFailed);
}

// Positional arguments and the options a command accepts.
struct Arguments {
    QStringList positional;
    QString password;
    std::optional<QString> outPassword;
};

std::optional<Arguments> parse(const QStringList& args, int positionalCount, bool outPassword) {
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == u"--password" || (outPassword && a == u"--out-password")) &&
            i + 1 < args.size()) {
            (a == u"--password" ? parsed.password : parsed.outPassword.emplace()) = args[++i];
        } else if (a.startsWith(u"--")) {
            return std::nullopt;
        } else {
            parsed.positional << a;
        }
    }
    if (parsed.positional.size() != positionalCount)
        return std::nullopt;
    return parsed;
}

// Writes the workbook straight into a new file that replaces `path` only once
// it is whole; its stream is built in `streamMemory` when that serves.
int writeTo(const QString& path, const xls::Workbook& wb, const QString& password,
            QByteArray streamMemory = {}) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(
            QStringLiteral("Impossibile scrivere il file %1: %2.").arg(path, file.errorString()));
    }
    xls::Result<brisvel::Done> written =
        xls::writeWorkbook(wb, file, password, std::move(streamMemory));
    if (!written) {
        file.cancelWriting();
        return failWith(written.error());
    }
    if (!file.commit()) {
        return fail(
            QStringLiteral("Impossibile scrivere il file %1: %2.").arg(path, file.errorString()));
    }
    return kOk;
}

int dump(const Arguments& a) {
    xls::Result<xls::Workbook> wb = xls::readWorkbookFile(a.positional[0], a.password);
    if (!wb)
        return failWith(wb.error());
    const QByteArray text = brisvel::dumpWorkbookText(*wb);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? kOk : fail(QStringLiteral("Impossibile scrivere l'uscita."));
}

int write(const Arguments& a) {
    QFile spec(a.positional[0]);
    if (!spec.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("Impossibile leggere il file %1: %2.")
                        .arg(a.positional[0], spec.errorString()));
    }
    xls::Result<xls::Workbook> wb = brisvel::workbookFromJson(spec.readAll());
    if (!wb)
        return failWith(wb.error());
    return writeTo(a.positional[1], *wb, a.password);
}

// Drops from the system's memory the pages it caches of the regular file at
// `path`, which a copy is about to replace. The rename over it would free them at
// the very end of the copy; freed while the input is read, on an otherwise idle
// processor, their memory serves the copy's own writing.
void forgetCachedPages(const QByteArray& path) {
    // Only a regular file is opened: a pipe or a device at the destination could
    // wait for a writer or act on being opened. Not blocking all the same, should
    // it be swapped for one in between.
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

int copy(const Arguments& a) {
    // The stream read serves again for the stream written: a copy's output is
    // about the size of its input, and that memory is already the process's own.
    QByteArray streamMemory;
    std::thread forgetting(forgetCachedPages, QFile::encodeName(a.positional[1]));
    xls::Result<xls::Workbook> wb =
        xls::readWorkbookFile(a.positional[0], a.password, &streamMemory);
    forgetting.join();
    if (!wb)
        return failWith(wb.error());
    const int code =
        writeTo(a.positional[1], *wb, a.outPassword.value_or(QString()), std::move(streamMemory));
    // The process ends right after the copy, its file closed: freeing the model
    // cell by cell would only delay the exit, so the system takes it back whole.
    // It stays reachable from here, so leak checkers do not count it as lost.
    static const xls::Workbook* const leftToTheExit = new xls::Workbook(std::move(*wb));
    static_cast<void>(leftToTheExit);
    return code;
}

int newStore(const Arguments& a) {
    const QString& path = a.positional[0];
    if (QFileInfo::exists(path)) {
        return fail(QStringLiteral("Il file %1 esiste già: non viene sovrascritto.").arg(path));
    }
    xls::Workbook wb = xls::Workbook::withDefaults();
    for (const QString& name : store::kCoreSheets) {
        xls::Sheet sheet;
        sheet.name = name;
        wb.sheets.push_back(std::move(sheet));
    }
    wb.sheets.front().selected = true;
    return writeTo(path, wb, QString::fromLatin1(store::kStorePassword));
}

// The program's invoice form Fattura.xls, without a password.
int newTemplate(const Arguments& a) {
    const QString& path = a.positional[0];
    if (QFileInfo::exists(path)) {
        return fail(QStringLiteral("Il file %1 esiste già: non viene sovrascritto.").arg(path));
    }
    return writeTo(path, registers::makeInvoiceTemplate(), QString());
}

// A copy frees buffers of several megabytes and takes others in turn, and fills
// tens of megabytes with small cells. The heap is grown once, asks for huge pages
// and is never handed back, so its pages are not faulted in one by one, nor again.
// The ciphering threads allocate from it too, rather than from fresh arenas.
void prepareHeap() {
    constexpr std::size_t kGrowth = 30 << 20;  // below the mmap threshold: from the heap
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    auto* const grown = static_cast<char*>(std::malloc(kGrowth));
    // The heap now ends past the block by the top pad; all of it is advised.
    auto* const heapEnd = static_cast<char*>(::sbrk(0));
    if (grown && heapEnd > grown)
        xls::adviseHugePages(grown, std::size_t(heapEnd - grown));
    std::free(grown);
}

}  // namespace

int main(int argc, char** argv) {
    prepareHeap();
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return fail(QString::fromUtf8(kUsageText), kUsage);
    const QString command = args.takeFirst();

    struct Command {
        const char* name;
        int positional;
        bool outPassword;
        int (*run)(const Arguments&);
    };
    static const Command commands[] = {
        {"dump", 1, false, dump},
        {"write", 2, false, write},
        {"copy", 2, true, copy},
        {"new-store", 1, false, newStore},
        {"new-template", 1, false, newTemplate},
    };
    for (const Command& c : commands) {
        if (command != QLatin1String(c.name))
            continue;
        const std::optional<Arguments> parsed = parse(args, c.positional, c.outPassword);
        if (!parsed || ((command == u"new-store" || command == u"new-template") &&
                        !parsed->password.isEmpty())) {
            return fail(QString::fromUtf8(kUsageText), kUsage);
        }
        return c.run(*parsed);
    }
    return fail(QString::fromUtf8(kUsageText), kUsage);
}

#include "xls/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>

#include <algorithm>
#include <memory>

#include "xls/gsf_library.h"
#include "xls/huge_pages.h"
#include "xls/read_errors.h"

namespace xls {

namespace {

Error notWorkbook() {
    return Error{Error::Kind::NotWorkbook, QStringLiteral("Il file non è una cartella di lavoro.")};
}

// The first part of a large stream is small, so what works on it as it comes in
// starts early; the rest comes in larger parts.
constexpr std::size_t kFirstPart = 64 * 1024;
constexpr std::size_t kPart = 1024 * 1024;

// The Workbook stream of the container `input`, of `containerSize` bytes, read into
// `bytes`.
Result<brisvel::Done> streamOfContainer(GsfInput* input, gsf_off_t containerSize, QByteArray& bytes,
                                        const ReadProgress& progress = {}) {
    GError* error = nullptr;
    GsfPtr<GsfInfile> root(gsf_infile_msole_new(input, &error));
    if (error)
        g_error_free(error);
    if (!root)
        return notWorkbook();

    // Stream names are compared without regard to case, as the container does.
    GsfPtr<GsfInput> stream;
    bool oldBook = false;
    const int children = gsf_infile_num_children(root.get());
    for (int i = 0; i < children && !stream; ++i) {
        const QString name = QString::fromUtf8(gsf_infile_name_by_index(root.get(), i));
        if (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0) {
            stream.reset(gsf_infile_child_by_index(root.get(), i));
        } else if (name.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0) {
            oldBook = true;
        }
    }
    if (!stream) {
        if (oldBook) {
            return Error{Error::Kind::OldFormat,
                         QStringLiteral("Il file è in un formato di Excel troppo vecchio.")};
        }
        return notWorkbook();
    }

    const gsf_off_t size = gsf_input_size(stream.get());
    // A stream cannot hold more than the file it lives in.
    if (size < 0 || size > containerSize) {
        return damagedFile();
    }
    bytes = QByteArray(qsizetype(size), Qt::Uninitialized);
    adviseHugePages(bytes.data(), std::size_t(bytes.size()));
    const std::span<std::uint8_t> all(reinterpret_cast<std::uint8_t*>(bytes.data()),
                                      std::size_t(size));
    std::size_t read = 0;
    while (read < all.size()) {
        const std::size_t part =
            progress ? std::min(all.size() - read, read == 0 ? kFirstPart : kPart) : all.size();
        if (!gsf_input_read(stream.get(), part, all.data() + read))
            return damagedFile();
        read += part;
        if (progress)
            progress(all, read);
    }
    return brisvel::Done{};
}

}  // namespace

Result<QByteArray> readWorkbookStream(const QByteArray& fileBytes) {
    ensureGsfInitialised();
    GsfPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(fileBytes.constData()),
                             gsf_off_t(fileBytes.size()), FALSE));
    if (!input)
        return notWorkbook();
    QByteArray stream;
    Result<brisvel::Done> read =
        streamOfContainer(input.get(), gsf_off_t(fileBytes.size()), stream);
    if (!read)
        return read.error();
    return stream;
}

Result<brisvel::Done> readWorkbookStream(std::FILE* file, QByteArray& stream,
                                         const ReadProgress& progress) {
    ensureGsfInitialised();
    GsfPtr<GsfInput> input(gsf_input_stdio_new_FILE("Workbook", file, TRUE));
    if (!input)
        return notWorkbook();
    return streamOfContainer(input.get(), gsf_input_size(input.get()), stream, progress);
}

}  // namespace xls

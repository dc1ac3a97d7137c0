#include "xls/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>

#include <memory>

#include "xls/gsf_library.h"
#include "xls/huge_pages.h"
#include "xls/read_errors.h"

namespace xls {

namespace {

Error notWorkbook() {
    return Error{Error::Kind::NotWorkbook, QStringLiteral("Il file non è una cartella di lavoro.")};
}

// The Workbook stream of the container `input`, of `containerSize` bytes.
Result<QByteArray> streamOfContainer(GsfInput* input, gsf_off_t containerSize) {
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
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    adviseHugePages(bytes.data(), std::size_t(bytes.size()));
    if (size > 0 &&
        !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data()))) {
        return damagedFile();
    }
    return bytes;
}

}  // namespace

Result<QByteArray> readWorkbookStream(const QByteArray& fileBytes) {
    ensureGsfInitialised();
    GsfPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(fileBytes.constData()),
                             gsf_off_t(fileBytes.size()), FALSE));
    if (!input)
        return notWorkbook();
    return streamOfContainer(input.get(), gsf_off_t(fileBytes.size()));
}

Result<QByteArray> readWorkbookStream(std::FILE* file) {
    ensureGsfInitialised();
    GsfPtr<GsfInput> input(gsf_input_stdio_new_FILE("Workbook", file, TRUE));
    if (!input)
        return notWorkbook();
    return streamOfContainer(input.get(), gsf_input_size(input.get()));
}

}  // namespace xls

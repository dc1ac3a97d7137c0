#include "xls/compound_file_writer.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>

#include <memory>

#include "xls/gsf_library.h"

namespace xls {

namespace {

Error writeFailed() {
    return Error{Error::Kind::Io,
                 QStringLiteral("Impossibile comporre il file della cartella di lavoro.")};
}

// Writes the container into `sink` and closes it.
bool writeContainer(GsfOutput* sink, std::span<const std::uint8_t> workbookStream) {
    GsfPtr<GsfOutfile> container(gsf_outfile_msole_new(sink));
    if (!container)
        return false;
    {
        GsfPtr<GsfOutput> stream(gsf_outfile_new_child(container.get(), "Workbook", FALSE));
        if (!stream)
            return false;
        const bool written =
            gsf_output_write(stream.get(), workbookStream.size(), workbookStream.data());
        if (!gsf_output_close(stream.get()) || !written)
            return false;
    }
    return gsf_output_close(GSF_OUTPUT(container.get()));
}

}  // namespace

Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream) {
    ensureGsfInitialised();
    GsfPtr<GsfOutput> memory(gsf_output_memory_new());
    if (!writeContainer(memory.get(), workbookStream))
        return writeFailed();
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    const gsf_off_t size = gsf_output_size(memory.get());
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
}

Result<brisvel::Done> writeCompoundFile(std::span<const std::uint8_t> workbookStream,
                                        std::FILE* file) {
    ensureGsfInitialised();
    GsfPtr<GsfOutput> sink(gsf_output_stdio_new_FILE("Workbook", file, TRUE));
    if (!sink || !writeContainer(sink.get(), workbookStream) || std::fflush(file) != 0)
        return writeFailed();
    return brisvel::Done{};
}

}  // namespace xls

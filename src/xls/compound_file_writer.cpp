#include "xls/compound_file_writer.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>

#include <memory>

#include "xls/gsf_library.h"

namespace xls {

namespace {

Error writeFailed() {
    return Error{Error::Kind::Io,
                 QStringLiteral("Impossibile comporre il file della cartella di lavoro.")};
}

}  // namespace

Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream) {
    ensureGsfInitialised();
    GsfPtr<GsfOutput> memory(gsf_output_memory_new());
    GsfPtr<GsfOutfile> container(gsf_outfile_msole_new(memory.get()));
    if (!container)
        return writeFailed();
    {
        GsfPtr<GsfOutput> stream(gsf_outfile_new_child(container.get(), "Workbook", FALSE));
        if (!stream)
            return writeFailed();
        const bool written =
            gsf_output_write(stream.get(), workbookStream.size(), workbookStream.data());
        if (!gsf_output_close(stream.get()) || !written)
            return writeFailed();
    }
    if (!gsf_output_close(GSF_OUTPUT(container.get())))
        return writeFailed();
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    const gsf_off_t size = gsf_output_size(memory.get());
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
}

}  // namespace xls

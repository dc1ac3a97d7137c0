#include "xls/compound_file_writer.h"

#include <fcntl.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>

#include "xls/gsf_library.h"

namespace xls {

namespace {

// Past this much written since the last time, the system is asked to start
// putting the file on disk: a save then waits at the end for the last stretch
// only.
constexpr std::size_t kWriteBackStep = 1 << 20;

Error writeFailed() {
    return Error{Error::Kind::Io,
                 QStringLiteral("Impossibile comporre il file della cartella di lavoro.")};
}

// The outputs a container goes to; libgsf is set up before the first is made.
GsfOutput* fileSink(std::FILE* file) {
    ensureGsfInitialised();
    return gsf_output_stdio_new_FILE("Workbook", file, TRUE);
}

GsfOutput* memorySink() {
    ensureGsfInitialised();
    return gsf_output_memory_new();
}

// A compound file on `output` with its Workbook stream open for writing; `stream`
// is null when it could not be made.
struct Container {
    explicit Container(GsfOutput* output) : sink(output) {
        if (sink)
            root.reset(gsf_outfile_msole_new(sink.get()));
        if (root)
            stream.reset(gsf_outfile_new_child(root.get(), "Workbook", FALSE));
    }
    // Closes the stream, then writes the rest of the container.
    bool close() {
        const bool closed = gsf_output_close(stream.get());
        return gsf_output_close(GSF_OUTPUT(root.get())) && closed;
    }

    GsfPtr<GsfOutput> sink;
    GsfPtr<GsfOutfile> root;
    GsfPtr<GsfOutput> stream;
};

}  // namespace

struct CompoundFileStreamer::Gsf : Container {
    using Container::Container;
};

CompoundFileStreamer::CompoundFileStreamer(std::FILE* file)
    : gsf_(new Gsf(fileSink(file))), file_(file) {
    failed_ = !gsf_->stream;
}

CompoundFileStreamer::~CompoundFileStreamer() = default;

void CompoundFileStreamer::append(std::span<const std::uint8_t> bytes) {
    if (failed_ || bytes.empty())
        return;
    failed_ = !gsf_output_write(gsf_->stream.get(), bytes.size(), bytes.data());
    appended_ += bytes.size();
    sinceWriteBack_ += bytes.size();
    if (!failed_ && sinceWriteBack_ >= kWriteBackStep) {
        // Only a hint to start writing: the file is made durable when it is saved.
        failed_ = std::fflush(file_) != 0;
        ::sync_file_range(fileno(file_), 0, 0, SYNC_FILE_RANGE_WRITE);
        sinceWriteBack_ = 0;
    }
}

void CompoundFileStreamer::rewrite(std::size_t offset, std::span<const std::uint8_t> bytes) {
    if (failed_)
        return;
    // The stream lies in one run of the file's sectors, so it can be gone back in.
    GsfOutput* stream = gsf_->stream.get();
    failed_ = !gsf_output_seek(stream, gsf_off_t(offset), G_SEEK_SET) ||
              !gsf_output_write(stream, bytes.size(), bytes.data()) ||
              !gsf_output_seek(stream, 0, G_SEEK_END);
}

Result<brisvel::Done> CompoundFileStreamer::finish() {
    if (failed_)
        return writeFailed();
    if (!gsf_->close() || std::fflush(file_) != 0)
        return writeFailed();
    return brisvel::Done{};
}

Result<QByteArray> writeCompoundFile(std::span<const std::uint8_t> workbookStream) {
    Container container(memorySink());
    if (!container.stream)
        return writeFailed();
    const bool written =
        gsf_output_write(container.stream.get(), workbookStream.size(), workbookStream.data());
    if (!container.close() || !written)
        return writeFailed();
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(container.sink.get()));
    const gsf_off_t size = gsf_output_size(container.sink.get());
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
}

}  // namespace xls

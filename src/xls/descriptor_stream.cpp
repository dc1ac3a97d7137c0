#include "xls/descriptor_stream.h"

#include <unistd.h>

namespace xls {

std::FILE* streamOnDescriptor(QFileDevice& file, const char* mode) {
    const int fd = ::dup(file.handle());
    if (fd < 0)
        return nullptr;
    std::FILE* stream = ::fdopen(fd, mode);
    if (!stream)
        ::close(fd);
    return stream;
}

}  // namespace xls

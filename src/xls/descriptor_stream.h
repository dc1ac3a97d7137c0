#pragma once

// A stdio stream of its own on an open Qt file, for libgsf and the container
// writer, which speak stdio.

#include <QFileDevice>

#include <cstdio>

namespace xls {

// A stream on a duplicate of `file`'s descriptor, at the file's position, opened
// with `mode` ("rb", "wb"); null when none can be made. The caller closes it,
// which leaves `file` open.
std::FILE* streamOnDescriptor(QFileDevice& file, const char* mode);

}  // namespace xls

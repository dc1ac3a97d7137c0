// Feeds arbitrary bytes to the workbook reader: it must give a workbook or an
// error, never crash, hang or exhaust memory.

#include <QByteArray>
#include <QString>

#include <glib.h>

#include <cstddef>
#include <cstdint>

#include "xls/reader.h"

// libgsf complains on stderr about every damaged container; that is expected
// here and only slows the run down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_log_set_default_handler([](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    // Compound files go through the container; anything else is taken as a bare
    // workbook stream, so mutations reach the records without the container's
    // checks in the way. Without a password the reader tries the default one, so
    // encrypted inputs reach the decryption code too.
    static const QByteArray compoundMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    const auto book = bytes.startsWith(compoundMagic) ? xls::readWorkbook(bytes)
                                                      : xls::readWorkbookStreamBytes(bytes);
    (void)book;
    return 0;
}

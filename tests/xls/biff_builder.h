#pragma once

// Hand-made BIFF8 workbooks for reader tests: records, a workbook stream with
// one sheet per record list, and the compound file around it.

#include <QByteArray>
#include <QString>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "xls/crypto.h"
#include "xls/gsf_library.h"

namespace biff {

inline QByteArray le16(std::uint16_t v) {
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(b, 2);
}
inline QByteArray le32(std::uint32_t v) {
    return le16(std::uint16_t(v)) + le16(std::uint16_t(v >> 16));
}
inline QByteArray f64(double v) {
    QByteArray out(8, 0);
    std::memcpy(out.data(), &v, 8);
    return out;
}

inline QByteArray record(std::uint16_t type, const QByteArray& body) {
    return le16(type) + le16(std::uint16_t(body.size())) + body;
}

inline QByteArray bof(std::uint16_t kind, std::uint16_t version = 0x0600) {
    return record(0x0809, le16(version) + le16(kind) + QByteArray(12, 0));
}
inline QByteArray eof() {
    return record(0x000A, {});
}

// A compressed (8-bit) string with a 16-bit length, as LABEL and FORMAT hold it.
inline QByteArray string16(const QByteArray& latin1) {
    return le16(std::uint16_t(latin1.size())) + QByteArray(1, 0) + latin1;
}
// A wide string with an 8-bit length, as BOUNDSHEET holds a name.
inline QByteArray wideShortString(const QString& s) {
    QByteArray out = QByteArray(1, char(s.size())) + QByteArray(1, 1);
    for (QChar c : s)
        out += le16(c.unicode());
    return out;
}

inline QByteArray cell(std::uint16_t row, std::uint16_t col, std::uint16_t xf = 15) {
    return le16(row) + le16(col) + le16(xf);
}

struct SheetSpec {
    QString name;
    QByteArray records;  // between the sheet's BOF and EOF
};

// A workbook stream: globals (16 XFs, `globals` extra records, one BOUNDSHEET per
// sheet) and the sheets. With `encryption`, a FILEPASS follows the globals BOF and
// every record after it is encrypted as a spreadsheet program does.
inline QByteArray workbookStream(const std::vector<SheetSpec>& sheets,
                                 const QByteArray& globals = {},
                                 xls::Encryption* encryption = nullptr) {
    QByteArray head = bof(0x0005);
    if (encryption)
        head += record(0x002F, encryption->filePass);
    const int encryptedFrom = int(head.size());
    QByteArray xfs;
    for (int i = 0; i < 16; ++i)
        xfs +=
            record(0x00E0, le16(0) + le16(0) + le16(i < 15 ? 0xFFF5 : 0x0001) + QByteArray(14, 0));
    QByteArray body = xfs + globals;
    std::size_t boundSheetsSize = 0;
    for (const auto& s : sheets)
        boundSheetsSize += 4 + 6 + 2 + 2 * std::size_t(s.name.size());
    std::uint32_t position = std::uint32_t(head.size() + body.size() + boundSheetsSize + 4);
    QByteArray boundSheets, substreams;
    for (const auto& s : sheets) {
        boundSheets += record(0x0085, le32(position) + QByteArray(2, 0) + wideShortString(s.name));
        const QByteArray sub = bof(0x0010) + s.records + eof();
        substreams += sub;
        position += std::uint32_t(sub.size());
    }
    QByteArray stream = head + body + boundSheets + eof() + substreams;
    if (encryption) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(stream.data());
        for (int at = encryptedFrom; at + 4 <= stream.size();) {
            const std::uint16_t type = std::uint16_t(bytes[at] | (bytes[at + 1] << 8));
            const int size = bytes[at + 2] | (bytes[at + 3] << 8);
            if (type != 0x0809) {
                const int skip = type == 0x0085 ? 4 : 0;
                encryption->cipher->apply(
                    std::span(bytes + at + 4 + skip, std::size_t(size - skip)),
                    std::uint64_t(at + 4 + skip));
            }
            at += 4 + size;
        }
    }
    return stream;
}

// `stream` stored under `name` in a compound file.
inline QByteArray compoundFile(const QByteArray& stream, const char* name = "Workbook") {
    xls::ensureGsfInitialised();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* root = gsf_outfile_msole_new(memory);
    GsfOutput* child = gsf_outfile_new_child(root, name, FALSE);
    gsf_output_write(child, std::size_t(stream.size()),
                     reinterpret_cast<const guint8*>(stream.constData()));
    gsf_output_close(child);
    g_object_unref(child);
    gsf_output_close(GSF_OUTPUT(root));
    g_object_unref(root);
    const QByteArray out(
        reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory))),
        qsizetype(gsf_output_size(memory)));
    g_object_unref(memory);
    return out;
}

inline QByteArray workbookFile(const std::vector<SheetSpec>& sheets,
                               const QByteArray& globals = {}) {
    return compoundFile(workbookStream(sheets, globals));
}

}  // namespace biff

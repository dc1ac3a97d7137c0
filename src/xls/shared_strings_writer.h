#pragma once

// The shared string table of a workbook being written: every distinct cell text
// once, in order of first use, written as SST (split into CONTINUE records, a
// string's characters carried over with their flag byte repeated) and EXTSST.

#include <QHash>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "xls/record_writer.h"

namespace xls {

class SharedStringsWriter {
  public:
    explicit SharedStringsWriter(std::size_t expectedStrings = 0);

    // The index of `text` in the table, adding it on first use. Every call counts
    // as one cell that refers to the table.
    std::uint32_t add(const QString& text);

    std::size_t uniqueCount() const { return strings_.size(); }

    // Writes the SST record, its CONTINUE records and EXTSST.
    void write(RecordWriter& out) const;

  private:
    // Texts read from a file share one buffer per distinct text, so most cells
    // are found by their buffer without hashing the characters.
    struct Buffer {
        const QChar* data;
        qsizetype size;
        bool operator==(const Buffer&) const = default;
    };
    struct BufferHash {
        std::size_t operator()(const Buffer& b) const {
            return std::hash<const void*>()(b.data) ^ std::size_t(b.size);
        }
    };

    std::unordered_map<Buffer, std::uint32_t, BufferHash> byBuffer_;
    QHash<QString, std::uint32_t> index_;
    std::vector<QString> strings_;
    std::uint32_t references_ = 0;
};

}  // namespace xls

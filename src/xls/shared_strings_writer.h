#pragma once

// The shared string table of a workbook being written: every distinct cell text
// once, in order of first use, written as SST (split into CONTINUE records, a
// string's characters carried over with their flag byte repeated) and EXTSST.
// The table refers to the texts it is given, which the workbook being written
// holds: they must stay as they are until the table is written.

#include <QString>

#include <cstdint>
#include <vector>

#include "xls/record_writer.h"

namespace xls {

class SharedStringsWriter {
  public:
    // Sized for a workbook of `textCells` text cells, so a large one is not
    // rehashed again and again while it is gathered.
    explicit SharedStringsWriter(std::size_t textCells = 0);

    // The index of `text` in the table, adding it on first use. `identity` is the
    // same for two calls only when their texts are one shared text (see
    // Cell::textIdentity), or null, so most calls find theirs without reading the
    // text. Every call counts as one cell that refers to the table.
    std::uint32_t add(const QString& text, const void* identity);

    // How many distinct texts the table holds.
    std::size_t count() const { return strings_.size(); }

    // The most the table's strings take in the SST, before the CONTINUE records.
    std::size_t byteSize() const { return bytes_; }

    // Writes the SST record, its CONTINUE records and EXTSST.
    void write(RecordWriter& out) const;

  private:
    // Open-addressing tables over a power-of-two number of slots. Texts read from
    // a file are shared, one per distinct text, so most cells are found by their
    // text's identity without reading or hashing its characters; the rest by
    // their text.
    struct IdentitySlot {
        const void* identity = nullptr;  // null: a free slot
        std::uint32_t index = 0;
    };
    static constexpr std::uint32_t kFree = 0xFFFFFFFF;

    std::uint32_t findOrAddText(const QString& text);
    void growIdentities();
    void growTexts();

    std::vector<IdentitySlot> byIdentity_;
    std::size_t identities_ = 0;
    std::vector<std::uint32_t> byText_;  // indexes into strings_, or kFree
    std::vector<const QString*> strings_;
    std::size_t bytes_ = 0;
    std::uint32_t references_ = 0;
};

}  // namespace xls

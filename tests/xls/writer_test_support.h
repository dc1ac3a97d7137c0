#pragma once

// Helpers of the writer tests: write then read back, and compare models.

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include "xls/reader.h"
#include "xls/workbook.h"
#include "xls/writer.h"

namespace writertest {

// `wb` written (with `password` when given) and read back; fails the test when
// either step fails.
inline xls::Workbook roundTrip(const xls::Workbook& wb, const QString& password = {}) {
    xls::Result<QByteArray> bytes = xls::writeWorkbook(wb, password);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : qPrintable(bytes.error().message));
    if (!bytes)
        return {};
    xls::Result<xls::Workbook> back = xls::readWorkbook(*bytes, password);
    EXPECT_TRUE(back.ok()) << (back.ok() ? "" : qPrintable(back.error().message));
    return back ? *back : xls::Workbook{};
}

// The cell at 0-based row and column, or an empty one past the stored cells.
inline xls::Cell cellAt(const xls::Sheet& sheet, int row, int col) {
    if (std::size_t(row) >= sheet.rows.size())
        return {};
    const auto& cells = sheet.rows[std::size_t(row)].cells;
    return std::size_t(col) < cells.size() ? cells[std::size_t(col)] : xls::Cell{};
}

// Cell by cell over the larger of the two sheets: kinds, values, texts and formats.
inline void expectSameCells(const xls::Sheet& a, const xls::Sheet& b) {
    const std::size_t rows = std::max(a.rows.size(), b.rows.size());
    for (std::size_t r = 0; r < rows; ++r) {
        std::size_t cols = 0;
        if (r < a.rows.size())
            cols = a.rows[r].cells.size();
        if (r < b.rows.size())
            cols = std::max(cols, b.rows[r].cells.size());
        for (std::size_t c = 0; c < cols; ++c) {
            const xls::Cell x = cellAt(a, int(r), int(c));
            const xls::Cell y = cellAt(b, int(r), int(c));
            SCOPED_TRACE(qPrintable(QStringLiteral("%1 row %2 col %3").arg(a.name).arg(r).arg(c)));
            ASSERT_EQ(int(x.kind()), int(y.kind()));
            EXPECT_EQ(x.xf, y.xf);
            switch (x.kind()) {
                case xls::CellKind::Number: {
                    // Bit for bit: the codec must not round.
                    const double xn = x.number();
                    const double yn = y.number();
                    EXPECT_EQ(std::memcmp(&xn, &yn, sizeof(double)), 0) << xn << " vs " << yn;
                    break;
                }
                case xls::CellKind::Text:
                    EXPECT_EQ(x.text(), y.text());
                    break;
                case xls::CellKind::Boolean:
                case xls::CellKind::Error:
                    EXPECT_EQ(x.code(), y.code());
                    break;
                case xls::CellKind::Empty:
                    break;
            }
        }
    }
}

}  // namespace writertest

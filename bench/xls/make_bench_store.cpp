// Writes the full-size benchmark store (32,766 invoices, 5,000 clients),
// encrypted with the store password, for timing whole programs against it.
//
// Usage: make_bench_store OUT

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

#include "bench_store.h"
#include "store/workbook_store.h"
#include "xls/writer.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Uso: make_bench_store OUT\n");
        return 2;
    }
    const xls::Result<QByteArray> bytes = xls::writeWorkbook(
        benchstore::makeStore(benchstore::kFullInvoices, benchstore::kFullClients),
        QString::fromLatin1(store::kStorePassword));
    if (!bytes) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(bytes.error().message));
        return 1;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(file.errorString()));
        return 1;
    }
    return 0;
}

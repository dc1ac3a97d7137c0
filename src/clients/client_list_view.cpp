#include "clients/client_list_view.h"

#include <QTreeWidget>

#include <array>

namespace clients {

using registers::ClientRecord;
using namespace registers::client;

namespace {

constexpr int kTwipsPerPixel = 15;

// Column widths in twips: identifier, name, date, address, postal code, town,
// province, then the nine columns from the telephone to the notes.
constexpr std::array<int, kColumns> kColumnTwips = {800,  4000, 1500, 3000, 1000, 3000, 800,  2000,
                                                    2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000};

}  // namespace

void setClientListHeaders(QTreeWidget* view, const QStringList& headers) {
    view->clear();
    view->setColumnCount(kColumns);
    view->setHeaderLabels(headers);
    for (int column = 0; column < kColumns; ++column)
        view->setColumnWidth(
            column, (kColumnTwips[std::size_t(column)] + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

void addClientItems(QTreeWidget* view, const std::vector<ClientRecord>& clients) {
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(clients.size()));
    for (const ClientRecord& client : clients) {
        QStringList texts;
        texts.reserve(kColumns);
        for (int column = Id; column <= kColumns; ++column)
            texts << client[registers::ClientColumn(column)];
        items << new QTreeWidgetItem(texts);
    }
    view->addTopLevelItems(items);
}

}  // namespace clients

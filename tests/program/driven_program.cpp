// The program's start and one of its windows in a process of their own, driven
// through one step a user takes:
//   fattura   registers an invoice for the first client
//   incasso   enters a collection date on the first invoice of the register
//   cliente   inserts a client
//   svuota    empties the invoice register (the program then ends)
// Every message the program shows is written to standard output as one line,
// "title|text" with line breaks as "\n". Questions are answered Yes; a notice stays
// shown, the process waiting on standard input, until a line comes or the input
// ends, as a message box waits for its OK.
//
// Usage: driven_program FOLDER STEP   (the exit status is 0 after the step, 2 on
// bad usage, 1 when the start fails)

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdio>
#include <iostream>
#include <string>

#include "app/area_window.h"
#include "app/clock.h"
#include "app/message_boxes.h"
#include "app/navigator.h"
#include "app/services.h"
#include "app/session.h"
#include "clients/anagrafe.h"
#include "invoices/entrata.h"
#include "maintenance/manutenzione.h"
#include "printing/printer_catalogue.h"

namespace {

class ReportingBoxes final : public app::MessageBoxes {
  public:
    app::Answer message(const app::Message& m) override {
        QString text = m.text;
        text.replace(u'\n', QStringLiteral("\\n"));
        std::cout << (m.title + u'|' + text).toStdString() << std::endl;
        if (m.buttons == app::Buttons::YesNo || m.buttons == app::Buttons::YesNoCancel)
            return app::Answer::Yes;
        std::string line;
        std::getline(std::cin, line);
        return app::Answer::Ok;
    }
    std::optional<QString> input(const app::InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const app::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const app::FileRequest&) override { return std::nullopt; }
};

template <class T>
T* control(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::cerr << "no control " << name << std::endl;
        std::exit(1);
    }
    return found;
}

void click(QWidget* window, const char* name) {
    control<QAbstractButton>(window, name)->click();
}

void chooseFirst(QComboBox* box) {
    box->setCurrentIndex(0);
    emit box->activated(0);
}

void registerInvoice(QWidget* entry) {
    chooseFirst(control<QComboBox>(entry, "Combo1"));
    control<QLineEdit>(entry, "Text2")->setText(QStringLiteral("05/03/2026"));
    control<QPlainTextEdit>(entry, "Text15")->setPlainText(QStringLiteral("Consulenza"));
    // The amounts as the window shows them once the taxable amount is left, no rate chosen.
    for (const char* amount : {"Text9", "Text5", "Text8", "Text4"})
        control<QLineEdit>(entry, amount)->setText(QStringLiteral("1.000,00"));
    click(entry, "XPButton4");
}

void enterCollection(QWidget* entry) {
    click(entry, "XPButton3");
    auto* list = control<QAbstractItemView>(entry, "ListView3");
    emit list->clicked(list->model()->index(0, 0));
    control<QLineEdit>(entry, "Text13")->setText(QStringLiteral("15/03/2026"));
    click(entry, "XPButton3");
}

void insertClient(QWidget* clients) {
    control<QLineEdit>(clients, "Text26")->setText(QStringLiteral("VERDI ANNA"));
    control<QLineEdit>(clients, "Text18")->setText(QStringLiteral("05/03/2026"));
    click(clients, "XPButton4");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString step = arguments.value(2);
    if (arguments.size() != 3 || !QStringList{QStringLiteral("fattura"), QStringLiteral("incasso"),
                                              QStringLiteral("cliente"), QStringLiteral("svuota")}
                                      .contains(step)) {
        std::cerr << "usage: driven_program FOLDER fattura|incasso|cliente|svuota" << std::endl;
        return 2;
    }
    ReportingBoxes boxes;
    app::Session session(arguments[1]);
    if (session.start(boxes) != app::StartOutcome::Ready)
        return 1;

    app::SystemClock clock;
    app::Navigator navigator;
    printing::SystemPrinters printers;
    const app::Services services{session.store(), boxes, clock, navigator, printers};
    app::AreaWindow menu;
    navigator.setMainMenu(&menu);
    navigator.go(nullptr, &menu);
    if (step == u"svuota") {
        maintenance::Manutenzione window(services,
                                         [&session, &boxes] { return session.shutDown(boxes); });
        navigator.go(&menu, &window);
        control<QCheckBox>(&window, "Check1")->click();
        return 0;
    }
    if (step == u"cliente") {
        clients::Anagrafe window(services);
        navigator.go(&menu, &window);
        insertClient(&window);
    } else {
        invoices::Entrata window(services);
        navigator.go(&menu, &window);
        if (step == u"fattura")
            registerInvoice(&window);
        else
            enterCollection(&window);
    }
    return session.shutDown(boxes) ? 0 : 1;
}

#include "invoices/credit_note_page.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/controls_factory.h"
#include "app/date_text.h"
#include "app/input_rules.h"
#include "controls/xpbutton.h"

namespace invoices {

using namespace registers::invoice;

namespace {

QRadioButton* radio(const char* name, const QString& text) {
    auto* button = new QRadioButton(text);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CreditNotePage::CreditNotePage(QWidget* parent)
    : QGroupBox(QStringLiteral("Nota di credito"), parent) {
    setObjectName(QStringLiteral("NotaCredito"));
    invoiceLabel_ = app::makeLabel(QStringLiteral("FatturaStornata"), {});
    QFont bold = invoiceLabel_->font();
    bold.setBold(true);
    invoiceLabel_->setFont(bold);
    leftLabel_ = app::makeLabel(QStringLiteral("DaStornare"), {});
    outcomeLabel_ = app::makeLabel(QStringLiteral("ImportiNota"), {});
    outcomeLabel_->setWordWrap(true);
    wholeButton_ = radio("InteraFattura", QStringLiteral("Intera fattura"));
    partButton_ = radio("ParteFattura", QStringLiteral("Parte della fattura"));
    partField_ = app::makeLineEdit(QStringLiteral("ImponibileStorno"));
    partField_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    partField_->setFixedWidth(130);
    partField_->setToolTip(QStringLiteral(
        "L'imponibile della parte da stornare: rivalsa, IVA e ritenuta seguono le aliquote "
        "della fattura"));
    app::installAmountKeyFilter(partField_);
    numberField_ = app::makeLineEdit(QStringLiteral("NumeroNota"));
    numberField_->setReadOnly(true);
    numberField_->setFixedWidth(90);
    numberField_->setToolTip(QStringLiteral("Il numero seguente del registro delle fatture"));
    dateField_ = app::makeLineEdit(QStringLiteral("DataNota"));
    dateField_->setFixedWidth(100);
    descriptionField_ = app::makeLineEdit(QStringLiteral("DescrizioneNota"));
    registerButton_ = app::makeButton(QStringLiteral("RegistraNota"), QStringLiteral("Registra"),
                                      QStringLiteral("Registra la nota di credito"));
    cancelButton_ = app::makeButton(QStringLiteral("AnnullaNota"), QStringLiteral("Annulla"),
                                    QStringLiteral("Torna al registro senza registrare"));
    for (auto* b : {registerButton_, cancelButton_})
        b->setMinimumSize(110, 30);

    auto* extent = new QHBoxLayout;
    extent->addWidget(wholeButton_);
    extent->addSpacing(24);
    extent->addWidget(partButton_);
    extent->addWidget(app::captioned(QStringLiteral("Imponibile da stornare"), partField_));
    extent->addStretch();

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    const auto row = [form](const QString& caption, QLineEdit* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        form->addRow(label, field);
    };
    row(QStringLiteral("Numero"), numberField_);
    row(QStringLiteral("Data"), dateField_);
    row(QStringLiteral("Descrizione"), descriptionField_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(registerButton_);
    buttons->addSpacing(12);
    buttons->addWidget(cancelButton_);

    auto* page = new QVBoxLayout(this);
    page->setSpacing(12);
    page->addWidget(invoiceLabel_);
    page->addWidget(leftLabel_);
    page->addLayout(extent);
    page->addLayout(form);
    page->addWidget(outcomeLabel_);
    page->addStretch();
    page->addLayout(buttons);

    connect(wholeButton_, &QRadioButton::toggled, this, &CreditNotePage::extentChosen);
    for (QLineEdit* field : {partField_, dateField_})
        connect(field, &QLineEdit::editingFinished, this, &CreditNotePage::choiceChanged);
    connect(registerButton_, &QAbstractButton::clicked, this, &CreditNotePage::registerRequested);
    connect(cancelButton_, &QAbstractButton::clicked, this, &CreditNotePage::cancelled);
}

void CreditNotePage::start(const registers::CreditedInvoice& credited, const QString& number,
                           const QDate& today) {
    const registers::InvoiceRecord& invoice = credited.invoice;
    invoiceLabel_->setText(QStringLiteral("Fattura n. %1 del %2 a %3")
                               .arg(invoice[Number], invoice[Date], invoice[Client]));
    // Every amount in the one money format, whatever form its cell shows.
    const auto money = [](const QString& cell) {
        return registers::Amount::parse(cell).value_or(registers::Amount()).text();
    };
    const QString total = money(invoice[Total]);
    leftLabel_->setText(
        credited.notes.empty()
            ? QStringLiteral("Totale fattura %1, imponibile %2: nessuna nota di credito finora.")
                  .arg(total, money(invoice[Taxable]))
            : QStringLiteral("Totale fattura %1, imponibile %2: resta da stornare %3.")
                  .arg(total, money(invoice[Taxable]), credited.left.text()));
    // After a partial note, the one step that credits all that is left.
    wholeButton_->setText(credited.notes.empty() ? QStringLiteral("Intera fattura")
                                                 : QStringLiteral("Tutto il resto della fattura"));
    partField_->clear();
    numberField_->setText(number);
    dateField_->setText(app::dateText(today));
    descriptionField_->setText(
        QStringLiteral("Storno della fattura n. %1 del %2").arg(invoice[Number], invoice[Date]));
    wholeButton_->setChecked(true);
    extentChosen();
    wholeButton_->setFocus();
}

registers::CreditNoteChoice CreditNotePage::choice() const {
    return {
        wholeButton_->isChecked(),    partField_->text().trimmed(),       {}, numberField_->text(),
        dateField_->text().trimmed(), descriptionField_->text().trimmed()};
}

void CreditNotePage::showOutcome(const QString& text, bool refused) {
    outcomeLabel_->setText(text);
    QFont font = outcomeLabel_->font();
    font.setItalic(refused);
    outcomeLabel_->setFont(font);
}

void CreditNotePage::extentChosen() {
    partField_->setEnabled(partButton_->isChecked());
    if (partButton_->isChecked())
        partField_->setFocus();
    emit choiceChanged();
}

}  // namespace invoices

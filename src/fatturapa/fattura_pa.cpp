#include "fatturapa/fattura_pa.h"

#include <QXmlStreamWriter>

namespace fatturapa {

namespace {

const QString kNamespace =
    QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");
const QString kSignatureNamespace = QStringLiteral("http://www.w3.org/2000/09/xmldsig#");
const QString kInstanceNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

constexpr std::int64_t kBillionthsPerCent = 10'000'000;

// Elements are unqualified: only the root carries the namespace prefix.
class Writer {
  public:
    explicit Writer(QByteArray* out) : xml_(out) {}

    void start(const QString& name) { xml_.writeStartElement(name); }
    void end() { xml_.writeEndElement(); }
    void text(const QString& name, const QString& value) { xml_.writeTextElement(name, value); }
    void optionalText(const QString& name, const QString& value) {
        if (!value.isEmpty())
            text(name, value);
    }
    void amount(const QString& name, Amount value) { text(name, xmlAmount(value)); }
    void rate(const QString& name, const Rate& value) {
        const std::optional<QString> written = xmlRate(value);
        Q_ASSERT_X(written, "writeFatturaPA", "rates were checked before writing");
        text(name, written.value_or(QString()));
    }

    QXmlStreamWriter xml_;
};

void writeId(Writer& w, const QString& name, const QString& code,
             const QString& country = QStringLiteral("IT")) {
    w.start(name);
    w.text(QStringLiteral("IdPaese"), country);
    w.text(QStringLiteral("IdCodice"), code);
    w.end();
}

void writeAddress(Writer& w, const Party& party) {
    w.start(QStringLiteral("Sede"));
    w.text(QStringLiteral("Indirizzo"), party.address);
    w.text(QStringLiteral("CAP"), party.postalCode);
    w.text(QStringLiteral("Comune"), party.town);
    w.optionalText(QStringLiteral("Provincia"), party.province);
    w.text(QStringLiteral("Nazione"), party.country);
    w.end();
}

void writeName(Writer& w, const Party& party) {
    w.start(QStringLiteral("Anagrafica"));
    if (party.surname.isEmpty()) {
        w.text(QStringLiteral("Denominazione"), party.name);
    } else {
        w.text(QStringLiteral("Nome"), party.givenName);
        w.text(QStringLiteral("Cognome"), party.surname);
    }
    w.end();
}

void writeHeader(Writer& w, const Document& d) {
    w.start(QStringLiteral("FatturaElettronicaHeader"));

    w.start(QStringLiteral("DatiTrasmissione"));
    writeId(w, QStringLiteral("IdTrasmittente"), d.transmitterId);
    w.text(QStringLiteral("ProgressivoInvio"), d.progressive);
    w.text(QStringLiteral("FormatoTrasmissione"), QStringLiteral("FPR12"));
    w.text(QStringLiteral("CodiceDestinatario"), d.recipientCode);
    w.optionalText(QStringLiteral("PECDestinatario"), d.recipientPec);
    w.end();

    w.start(QStringLiteral("CedentePrestatore"));
    w.start(QStringLiteral("DatiAnagrafici"));
    writeId(w, QStringLiteral("IdFiscaleIVA"), d.supplier.vatNumber);
    w.optionalText(QStringLiteral("CodiceFiscale"), d.supplier.taxCode);
    writeName(w, d.supplier);
    w.text(QStringLiteral("RegimeFiscale"), d.taxRegime);
    w.end();
    writeAddress(w, d.supplier);
    w.end();

    w.start(QStringLiteral("CessionarioCommittente"));
    w.start(QStringLiteral("DatiAnagrafici"));
    if (!d.customer.vatNumber.isEmpty())
        writeId(w, QStringLiteral("IdFiscaleIVA"), d.customer.vatNumber, d.customer.country);
    w.optionalText(QStringLiteral("CodiceFiscale"), d.customer.taxCode);
    writeName(w, d.customer);
    w.end();
    writeAddress(w, d.customer);
    w.end();

    w.end();
}

void writeGeneralData(Writer& w, const Document& d) {
    w.start(QStringLiteral("DatiGenerali"));
    w.start(QStringLiteral("DatiGeneraliDocumento"));
    w.text(QStringLiteral("TipoDocumento"),
           d.corrects ? registers::kCreditNoteKind : QStringLiteral("TD01"));
    w.text(QStringLiteral("Divisa"), QStringLiteral("EUR"));
    w.text(QStringLiteral("Data"), d.date.toString(Qt::ISODate));
    w.text(QStringLiteral("Numero"), d.number);
    if (d.withholding) {
        w.start(QStringLiteral("DatiRitenuta"));
        w.text(QStringLiteral("TipoRitenuta"), d.withholding->type);
        w.amount(QStringLiteral("ImportoRitenuta"), d.withholding->amount);
        w.rate(QStringLiteral("AliquotaRitenuta"), d.withholding->rate);
        w.text(QStringLiteral("CausalePagamento"), d.withholding->reason);
        w.end();
    }
    if (d.stampDuty) {
        w.start(QStringLiteral("DatiBollo"));
        w.text(QStringLiteral("BolloVirtuale"), QStringLiteral("SI"));
        w.amount(QStringLiteral("ImportoBollo"), kStampDuty);
        w.end();
    }
    if (d.cassa) {
        const Cassa& c = *d.cassa;
        w.start(QStringLiteral("DatiCassaPrevidenziale"));
        w.text(QStringLiteral("TipoCassa"), c.type);
        w.rate(QStringLiteral("AlCassa"), c.rate);
        w.amount(QStringLiteral("ImportoContributoCassa"), c.amount);
        w.amount(QStringLiteral("ImponibileCassa"), c.base);
        w.rate(QStringLiteral("AliquotaIVA"), c.vatRate);
        if (c.withheld)
            w.text(QStringLiteral("Ritenuta"), QStringLiteral("SI"));
        w.optionalText(QStringLiteral("Natura"), c.nature);
        w.end();
    }
    w.amount(QStringLiteral("ImportoTotaleDocumento"), d.total);
    w.end();
    if (d.corrects) {
        w.start(QStringLiteral("DatiFattureCollegate"));
        w.text(QStringLiteral("IdDocumento"), d.corrects->number);
        w.text(QStringLiteral("Data"), d.corrects->date.toString(Qt::ISODate));
        w.end();
    }
    w.end();
}

void writeGoodsAndServices(Writer& w, const Document& d) {
    w.start(QStringLiteral("DatiBeniServizi"));
    int number = 0;
    for (const Line& line : d.lines) {
        w.start(QStringLiteral("DettaglioLinee"));
        w.text(QStringLiteral("NumeroLinea"), QString::number(++number));
        w.text(QStringLiteral("Descrizione"), line.description);
        w.amount(QStringLiteral("PrezzoUnitario"), line.amount);
        w.amount(QStringLiteral("PrezzoTotale"), line.amount);
        w.rate(QStringLiteral("AliquotaIVA"), line.vatRate);
        if (line.withheld)
            w.text(QStringLiteral("Ritenuta"), QStringLiteral("SI"));
        w.optionalText(QStringLiteral("Natura"), line.nature);
        w.end();
    }
    for (const Summary& summary : d.summaries) {
        w.start(QStringLiteral("DatiRiepilogo"));
        w.rate(QStringLiteral("AliquotaIVA"), summary.vatRate);
        w.optionalText(QStringLiteral("Natura"), summary.nature);
        w.amount(QStringLiteral("ImponibileImporto"), summary.taxable);
        w.amount(QStringLiteral("Imposta"), summary.tax);
        if (summary.nature.isEmpty())
            w.text(QStringLiteral("EsigibilitaIVA"), QStringLiteral("I"));
        w.optionalText(QStringLiteral("RiferimentoNormativo"), summary.legalReference);
        w.end();
    }
    w.end();
}

void writePayment(Writer& w, const Document& d) {
    if (!d.payment)
        return;
    w.start(QStringLiteral("DatiPagamento"));
    w.text(QStringLiteral("CondizioniPagamento"), QStringLiteral("TP02"));
    w.start(QStringLiteral("DettaglioPagamento"));
    w.text(QStringLiteral("ModalitaPagamento"), d.payment->method);
    if (d.payment->due.isValid())
        w.text(QStringLiteral("DataScadenzaPagamento"), d.payment->due.toString(Qt::ISODate));
    w.amount(QStringLiteral("ImportoPagamento"), d.payment->amount);
    w.optionalText(QStringLiteral("IBAN"), d.payment->iban);
    w.end();
    w.end();
}

}  // namespace

QString xmlAmount(Amount amount) {
    const std::int64_t cents = amount.cents();
    const std::uint64_t magnitude = cents < 0 ? std::uint64_t(-cents) : std::uint64_t(cents);
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

std::optional<QString> xmlRate(const Rate& rate) {
    const std::int64_t billionths = rate.billionths();
    if (billionths < 0 || billionths % kBillionthsPerCent != 0)
        return std::nullopt;
    return xmlAmount(Amount::fromCents(billionths / kBillionthsPerCent));
}

QString progressiveText(qint64 progressive) {
    Q_ASSERT(progressive > 0 && progressive <= kLastProgressive);
    return QString::number(progressive, 36).toUpper().rightJustified(5, QLatin1Char('0'));
}

std::optional<qint64> progressiveOf(const QString& name, const QString& senderId) {
    const QString prefix = QStringLiteral("IT") + senderId + QLatin1Char('_');
    const QString suffix = QStringLiteral(".xml");
    if (name.size() != prefix.size() + 5 + suffix.size() || !name.startsWith(prefix) ||
        !name.endsWith(suffix, Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const qint64 value = name.mid(prefix.size(), 5).toLongLong(&ok, 36);
    if (!ok)
        return std::nullopt;
    return value;
}

QString fileName(const QString& senderId, const QString& progressive) {
    return QStringLiteral("IT") + senderId + QLatin1Char('_') + progressive +
           QStringLiteral(".xml");
}

QByteArray writeFatturaPA(const Document& document) {
    QByteArray out;
    Writer w(&out);
    w.xml_.setAutoFormatting(true);
    w.xml_.writeStartDocument();
    w.xml_.writeNamespace(kNamespace, QStringLiteral("p"));
    w.xml_.writeNamespace(kSignatureNamespace, QStringLiteral("ds"));
    w.xml_.writeNamespace(kInstanceNamespace, QStringLiteral("xsi"));
    w.xml_.writeStartElement(kNamespace, QStringLiteral("FatturaElettronica"));
    w.xml_.writeAttribute(QStringLiteral("versione"), QStringLiteral("FPR12"));
    writeHeader(w, document);
    w.start(QStringLiteral("FatturaElettronicaBody"));
    writeGeneralData(w, document);
    writeGoodsAndServices(w, document);
    writePayment(w, document);
    w.end();
    w.xml_.writeEndElement();
    w.xml_.writeEndDocument();
    return out;
}

}  // namespace fatturapa

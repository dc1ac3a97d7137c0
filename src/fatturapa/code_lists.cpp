#include "fatturapa/code_lists.h"

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace fatturapa {

const CodeList& cassaTypes() {
    static const CodeList list{
        {QStringLiteral("TC01"),
         QStringLiteral("Cassa nazionale previdenza e assistenza avvocati e procuratori legali")},
        {QStringLiteral("TC02"), QStringLiteral("Cassa previdenza dottori commercialisti")},
        {QStringLiteral("TC03"), QStringLiteral("Cassa previdenza e assistenza geometri")},
        {QStringLiteral("TC04"), QStringLiteral("Cassa nazionale previdenza e assistenza ingegneri "
                                                "e architetti liberi professionisti")},
        {QStringLiteral("TC05"), QStringLiteral("Cassa nazionale del notariato")},
        {QStringLiteral("TC06"),
         QStringLiteral("Cassa nazionale previdenza e assistenza ragionieri e periti commerciali")},
        {QStringLiteral("TC07"),
         QStringLiteral(
             "Ente nazionale assistenza agenti e rappresentanti di commercio (ENASARCO)")},
        {QStringLiteral("TC08"),
         QStringLiteral("Ente nazionale previdenza e assistenza consulenti del lavoro (ENPACL)")},
        {QStringLiteral("TC09"),
         QStringLiteral("Ente nazionale previdenza e assistenza medici (ENPAM)")},
        {QStringLiteral("TC10"),
         QStringLiteral("Ente nazionale previdenza e assistenza farmacisti (ENPAF)")},
        {QStringLiteral("TC11"),
         QStringLiteral("Ente nazionale previdenza e assistenza veterinari (ENPAV)")},
        {QStringLiteral("TC12"),
         QStringLiteral(
             "Ente nazionale previdenza e assistenza impiegati dell'agricoltura (ENPAIA)")},
        {QStringLiteral("TC13"),
         QStringLiteral("Fondo previdenza impiegati imprese di spedizione e agenzie marittime")},
        {QStringLiteral("TC14"),
         QStringLiteral("Istituto nazionale previdenza giornalisti italiani (INPGI)")},
        {QStringLiteral("TC15"),
         QStringLiteral("Opera nazionale assistenza orfani sanitari italiani (ONAOSI)")},
        {QStringLiteral("TC16"),
         QStringLiteral("Cassa autonoma assistenza integrativa giornalisti italiani (CASAGIT)")},
        {QStringLiteral("TC17"),
         QStringLiteral("Ente previdenza periti industriali e periti industriali laureati (EPPI)")},
        {QStringLiteral("TC18"),
         QStringLiteral("Ente previdenza e assistenza pluricategoriale (EPAP)")},
        {QStringLiteral("TC19"),
         QStringLiteral("Ente nazionale previdenza e assistenza biologi (ENPAB)")},
        {QStringLiteral("TC20"),
         QStringLiteral(
             "Ente nazionale previdenza e assistenza professione infermieristica (ENPAPI)")},
        {QStringLiteral("TC21"),
         QStringLiteral("Ente nazionale previdenza e assistenza psicologi (ENPAP)")},
        {QStringLiteral("TC22"), QStringLiteral("INPS")},
    };
    return list;
}

const CodeList& natures() {
    static const CodeList list{
        {QStringLiteral("N1"), QStringLiteral("Escluse ex. art. 15 del D.P.R. 633/1972")},
        {QStringLiteral("N2.1"),
         QStringLiteral(
             "Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72")},
        {QStringLiteral("N2.2"), QStringLiteral("Non soggette - altri casi")},
        {QStringLiteral("N3.1"), QStringLiteral("Non Imponibili - esportazioni")},
        {QStringLiteral("N3.2"), QStringLiteral("Non Imponibili - cessioni intracomunitarie")},
        {QStringLiteral("N3.3"), QStringLiteral("Non Imponibili - cessioni verso San Marino")},
        {QStringLiteral("N3.4"),
         QStringLiteral("Non Imponibili - operazioni assimilate alle cessioni all'esportazione")},
        {QStringLiteral("N3.5"),
         QStringLiteral("Non Imponibili - a seguito di dichiarazioni d'intento")},
        {QStringLiteral("N3.6"),
         QStringLiteral(
             "Non Imponibili - altre operazioni che non concorrono alla formazione del plafond")},
        {QStringLiteral("N4"), QStringLiteral("Esenti")},
        {QStringLiteral("N5"), QStringLiteral("Regime del margine/IVA non esposta in fattura")},
        {QStringLiteral("N6.1"),
         QStringLiteral(
             "Inversione contabile - cessione di rottami e altri materiali di recupero")},
        {QStringLiteral("N6.2"),
         QStringLiteral("Inversione contabile - cessione di oro e argento ai sensi della legge "
                        "7/2000 nonché di oreficeria usata ad OPO")},
        {QStringLiteral("N6.3"),
         QStringLiteral("Inversione contabile - subappalto nel settore edile")},
        {QStringLiteral("N6.4"), QStringLiteral("Inversione contabile - cessione di fabbricati")},
        {QStringLiteral("N6.5"),
         QStringLiteral("Inversione contabile - cessione di telefoni cellulari")},
        {QStringLiteral("N6.6"),
         QStringLiteral("Inversione contabile - cessione di prodotti elettronici")},
        {QStringLiteral("N6.7"),
         QStringLiteral("Inversione contabile - prestazioni comparto edile e settori connessi")},
        {QStringLiteral("N6.8"),
         QStringLiteral("Inversione contabile - operazioni settore energetico")},
        {QStringLiteral("N6.9"), QStringLiteral("Inversione contabile - altri casi")},
        {QStringLiteral("N7"),
         QStringLiteral("IVA assolta in altro stato UE (prestazione di servizi di "
                        "telecomunicazioni, tele-radiodiffusione ed elettronici ex art. 7-octies "
                        "lett. a, b, art. 74-sexies DPR 633/72)")},
    };
    return list;
}

const CodeList& withholdingTypes() {
    static const CodeList list{
        {QStringLiteral("RT01"), QStringLiteral("Ritenuta di acconto persone fisiche")},
        {QStringLiteral("RT02"), QStringLiteral("Ritenuta di acconto persone giuridiche")},
        {QStringLiteral("RT03"), QStringLiteral("Contributo INPS")},
        {QStringLiteral("RT04"), QStringLiteral("Contributo ENASARCO")},
        {QStringLiteral("RT05"), QStringLiteral("Contributo ENPAM")},
        {QStringLiteral("RT06"), QStringLiteral("Altro contributo previdenziale")},
    };
    return list;
}

// The payment reasons of the withholding tax return (modello 770).
const CodeList& paymentReasons() {
    static const CodeList list{
        {QStringLiteral("A"), QStringLiteral("Prestazioni di lavoro autonomo rientranti "
                                             "nell'esercizio di arte o professione abituale")},
        {QStringLiteral("B"),
         QStringLiteral(
             "Utilizzazione economica, da parte dell'autore o dell'inventore, di opere "
             "dell'ingegno, di brevetti industriali e di processi, formule o informazioni")},
        {QStringLiteral("C"),
         QStringLiteral(
             "Utili derivanti da contratti di associazione in partecipazione e di cointeressenza, "
             "con apporto costituito esclusivamente dalla prestazione di lavoro")},
        {QStringLiteral("D"),
         QStringLiteral(
             "Utili spettanti ai soci promotori e ai soci fondatori delle società di capitali")},
        {QStringLiteral("E"),
         QStringLiteral("Levata di protesti cambiari da parte dei segretari comunali")},
        {QStringLiteral("G"),
         QStringLiteral(
             "Indennità corrisposte per la cessazione di attività sportiva professionale")},
        {QStringLiteral("H"),
         QStringLiteral("Indennità corrisposte per la cessazione dei rapporti di agenzia delle "
                        "persone fisiche e delle società di persone")},
        {QStringLiteral("I"),
         QStringLiteral("Indennità corrisposte per la cessazione da funzioni notarili")},
        {QStringLiteral("L"),
         QStringLiteral(
             "Redditi derivanti dall'utilizzazione economica di opere dell'ingegno, di brevetti "
             "industriali e di processi, percepiti dagli aventi causa a titolo gratuito")},
        {QStringLiteral("M"),
         QStringLiteral("Prestazioni di lavoro autonomo non esercitate abitualmente")},
        {QStringLiteral("N"),
         QStringLiteral("Indennità di trasferta, rimborsi forfetari di spese, premi e compensi "
                        "nell'esercizio diretto di attività sportive dilettantistiche")},
        {QStringLiteral("O"),
         QStringLiteral("Prestazioni di lavoro autonomo non esercitate abitualmente, senza obbligo "
                        "di iscrizione alla gestione separata")},
        {QStringLiteral("P"),
         QStringLiteral(
             "Compensi a soggetti non residenti privi di stabile organizzazione per l'uso o la "
             "concessione in uso di attrezzature industriali, commerciali o scientifiche")},
        {QStringLiteral("Q"),
         QStringLiteral(
             "Provvigioni corrisposte ad agente o rappresentante di commercio monomandatario")},
        {QStringLiteral("R"),
         QStringLiteral(
             "Provvigioni corrisposte ad agente o rappresentante di commercio plurimandatario")},
        {QStringLiteral("S"), QStringLiteral("Provvigioni corrisposte a commissionario")},
        {QStringLiteral("T"), QStringLiteral("Provvigioni corrisposte a mediatore")},
        {QStringLiteral("U"),
         QStringLiteral("Provvigioni derivanti da rapporti di procacciamento di affari")},
        {QStringLiteral("V"),
         QStringLiteral(
             "Provvigioni corrisposte a incaricato per le vendite a domicilio e porta a porta")},
        {QStringLiteral("W"), QStringLiteral("Corrispettivi per prestazioni relative a contratti "
                                             "d'appalto (art. 25-ter D.P.R. 600/1973)")},
        {QStringLiteral("X"),
         QStringLiteral("Canoni corrisposti nel 2004 da società o enti residenti a società di "
                        "altri Stati membri (art. 26-quater D.P.R. 600/1973)")},
        {QStringLiteral("Y"),
         QStringLiteral("Canoni corrisposti dal 1 gennaio 2005 al 26 luglio 2005 da società o enti "
                        "residenti (art. 26-quater D.P.R. 600/1973)")},
        {QStringLiteral("Z"), QStringLiteral("Titolo diverso dai precedenti")},
        {QStringLiteral("L1"),
         QStringLiteral("Redditi derivanti dall'utilizzazione economica di opere dell'ingegno, di "
                        "brevetti industriali e di processi, percepiti da chi ne ha acquistato a "
                        "titolo oneroso i diritti")},
        {QStringLiteral("M1"),
         QStringLiteral(
             "Redditi derivanti dall'assunzione di obblighi di fare, di non fare o permettere")},
        {QStringLiteral("M2"),
         QStringLiteral("Prestazioni di lavoro autonomo non esercitate abitualmente con obbligo di "
                        "iscrizione alla gestione separata ENPAPI")},
        {QStringLiteral("O1"),
         QStringLiteral("Redditi derivanti dall'assunzione di obblighi di fare, di non fare o "
                        "permettere, senza obbligo di iscrizione alla gestione separata")},
        {QStringLiteral("V1"),
         QStringLiteral("Redditi derivanti da attività commerciali non esercitate abitualmente")},
        {QStringLiteral("ZO"), QStringLiteral("Titolo diverso dai precedenti")},
    };
    return list;
}

const CodeList& paymentMethods() {
    static const CodeList list{
        {QStringLiteral("MP01"), QStringLiteral("contanti")},
        {QStringLiteral("MP02"), QStringLiteral("assegno")},
        {QStringLiteral("MP03"), QStringLiteral("assegno circolare")},
        {QStringLiteral("MP04"), QStringLiteral("contanti presso Tesoreria")},
        {QStringLiteral("MP05"), QStringLiteral("bonifico")},
        {QStringLiteral("MP06"), QStringLiteral("vaglia cambiario")},
        {QStringLiteral("MP07"), QStringLiteral("bollettino bancario")},
        {QStringLiteral("MP08"), QStringLiteral("carta di pagamento")},
        {QStringLiteral("MP09"), QStringLiteral("RID")},
        {QStringLiteral("MP10"), QStringLiteral("RID utenze")},
        {QStringLiteral("MP11"), QStringLiteral("RID veloce")},
        {QStringLiteral("MP12"), QStringLiteral("RIBA")},
        {QStringLiteral("MP13"), QStringLiteral("MAV")},
        {QStringLiteral("MP14"), QStringLiteral("quietanza erario")},
        {QStringLiteral("MP15"), QStringLiteral("giroconto su conti di contabilità speciale")},
        {QStringLiteral("MP16"), QStringLiteral("domiciliazione bancaria")},
        {QStringLiteral("MP17"), QStringLiteral("domiciliazione postale")},
        {QStringLiteral("MP18"), QStringLiteral("bollettino di c/c postale")},
        {QStringLiteral("MP19"), QStringLiteral("SEPA Direct Debit")},
        {QStringLiteral("MP20"), QStringLiteral("SEPA Direct Debit CORE")},
        {QStringLiteral("MP21"), QStringLiteral("SEPA Direct Debit B2B")},
        {QStringLiteral("MP22"), QStringLiteral("Trattenuta su somme già riscosse")},
        {QStringLiteral("MP23"), QStringLiteral("PagoPA")},
    };
    return list;
}

const CodeList& taxRegimes() {
    static const CodeList list{
        {QStringLiteral("RF01"), QStringLiteral("Regime ordinario")},
        {QStringLiteral("RF02"),
         QStringLiteral("Regime dei contribuenti minimi (art. 1,c.96-117, L. 244/2007)")},
        {QStringLiteral("RF04"),
         QStringLiteral(
             "Agricoltura e attività connesse e pesca (artt. 34 e 34-bis, D.P.R. 633/1972)")},
        {QStringLiteral("RF05"),
         QStringLiteral("Vendita sali e tabacchi (art. 74, c.1, D.P.R. 633/1972)")},
        {QStringLiteral("RF06"),
         QStringLiteral("Commercio dei fiammiferi (art. 74, c.1, D.P.R. 633/1972)")},
        {QStringLiteral("RF07"), QStringLiteral("Editoria (art. 74, c.1, D.P.R. 633/1972)")},
        {QStringLiteral("RF08"),
         QStringLiteral(
             "Gestione di servizi di telefonia pubblica (art. 74, c.1, D.P.R. 633/1972)")},
        {QStringLiteral("RF09"), QStringLiteral("Rivendita di documenti di trasporto pubblico e di "
                                                "sosta (art. 74, c.1, D.P.R. 633/1972)")},
        {QStringLiteral("RF10"),
         QStringLiteral("Intrattenimenti, giochi e altre attività di cui alla tariffa allegata al "
                        "D.P.R. 640/72 (art. 74, c.6, D.P.R. 633/1972)")},
        {QStringLiteral("RF11"),
         QStringLiteral("Agenzie di viaggi e turismo (art. 74-ter, D.P.R. 633/1972)")},
        {QStringLiteral("RF12"), QStringLiteral("Agriturismo (art. 5, c.2, L. 413/1991)")},
        {QStringLiteral("RF13"),
         QStringLiteral("Vendite a domicilio (art. 25-bis, c.6, D.P.R. 600/1973)")},
        {QStringLiteral("RF14"),
         QStringLiteral("Rivendita di beni usati, di oggetti d'arte, d'antiquariato o da "
                        "collezione (art. 36, D.L. 41/1995)")},
        {QStringLiteral("RF15"),
         QStringLiteral("Agenzie di vendite all'asta di oggetti d'arte, antiquariato o da "
                        "collezione (art. 40-bis, D.L. 41/1995)")},
        {QStringLiteral("RF16"),
         QStringLiteral("IVA per cassa P.A. (art. 6, c.5, D.P.R. 633/1972)")},
        {QStringLiteral("RF17"), QStringLiteral("IVA per cassa (art. 32-bis, D.L. 83/2012)")},
        {QStringLiteral("RF18"), QStringLiteral("Altro")},
        {QStringLiteral("RF19"), QStringLiteral("Regime forfettario")},
    };
    return list;
}

namespace {
const OfficialCode* find(const CodeList& list, const QString& code) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const OfficialCode& entry) { return entry.code == code; });
    return found == list.end() ? nullptr : &*found;
}
}  // namespace

bool contains(const CodeList& list, const QString& code) {
    return find(list, code) != nullptr;
}

bool isCountryCode(const QString& code) {
    static const QSet<QString> codes = [] {
        const QStringList all =
            QStringLiteral(
                "AD AE AF AG AI AL AM AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL "
                "BM BN BO BQ BR BS BT BV BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV "
                "CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK FM FO FR GA GB GD "
                "GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM "
                "IN IO IQ IR IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK "
                "LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ MR MS MT MU MV MW "
                "MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR "
                "PS PT PW PY QA RE RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS "
                "ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV TW TZ UA UG UM US UY "
                "UZ VA VC VE VG VI VN VU WF WS XI YE YT ZA ZM ZW")
                .split(QLatin1Char(' '));
        return QSet<QString>(all.begin(), all.end());
    }();
    return codes.contains(code);
}

QString descriptionOf(const CodeList& list, const QString& code) {
    const OfficialCode* found = find(list, code);
    return found ? found->description : QString();
}

}  // namespace fatturapa

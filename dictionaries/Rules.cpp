#include "dictionaries/Rules.h"

#include "platform/text/Regional.h"

#include <QRegularExpression>

namespace dictionaries {

std::optional<Odmowa> pierwszaOdmowa(const Reguly& reguly, const Wpis& wpis)
{
    for (const Regula& r : reguly)
        if (r.odmawia(wpis))
            return Odmowa{r.komunikat(wpis), r.pole};
    return std::nullopt;
}

QString tekst(const Wpis& wpis, const QString& pole) { return wpis.value(pole).toString(); }
bool zaznaczone(const Wpis& wpis, const QString& pole) { return wpis.value(pole).toBool(); }

std::optional<int> naCalkowita(const QString& s)
{
    static const QRegularExpression wzor(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wzor.match(s).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<double> naRzeczywista(const QString& s)
{
    const QString sep = QRegularExpression::escape(QString(text::decimalSeparator()));
    const QRegularExpression wzor(QStringLiteral("^([+-]?)([0-9]*)(?:%1([0-9]*))?$").arg(sep));
    const auto m = wzor.match(s);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    const QString c = m.captured(1) + (m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2)) + QLatin1Char('.')
        + (m.captured(3).isEmpty() ? QStringLiteral("0") : m.captured(3));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

namespace {

std::function<QString(const Wpis&)> staly(const QString& komunikat)
{
    return [komunikat](const Wpis&) { return komunikat; };
}

std::function<bool(const Wpis&)> pusty(const QString& pole)
{
    return [pole](const Wpis& w) { return tekst(w, pole).isEmpty(); };
}

std::function<bool(const Wpis&)> nieCalkowita(const QString& pole)
{
    return [pole](const Wpis& w) { return !naCalkowita(tekst(w, pole)); };
}

std::function<bool(const Wpis&)> nieRzeczywista(const QString& pole)
{
    return [pole](const Wpis& w) { return !naRzeczywista(tekst(w, pole)); };
}

// A goods item with a reduced rate must carry its PKWiU classification.
std::function<bool(const Wpis&)> brakPkwiu(const QString& podstawowa, const QString& pkwiu)
{
    return [=](const Wpis& w) { return !zaznaczone(w, podstawowa) && tekst(w, pkwiu).isEmpty(); };
}

const QString kWartoscProcent = QStringLiteral("Niepoprawna wartość w polu 'Wartość %'");
const QString kCenaZakupu = QStringLiteral("Niepoprawna wartość w polu 'Cena zakupu'");
const QString kCenaNetto = QStringLiteral("Niepoprana wartość w polu 'Cena sprzedaży (netto)'");
const QString kCenaBrutto = QStringLiteral("Niepoprana wartość w polu 'Cena sprzedaży (brutto)'");
const QString kNipFirmy = QStringLiteral("Jeżeli Klientem jest firma należy podać Jego nr NIP");

} // namespace

Reguly regulyNowejStawki(CzyZajety nazwaZajeta, Liczba liczbaPodstawowych)
{
    const QString nazwa = QStringLiteral("LEdit_Nazwa");
    const QString wart = QStringLiteral("LEdit_Wart");
    const QString podst = QStringLiteral("CBox_Czy_Podst");
    return {
        {nazwa, staly(QStringLiteral("Ple 'Nazwa' musi być wypełnione")), pusty(nazwa)},
        {nazwa, staly(QStringLiteral("Stawka VAT o takiej nazwie już istnieje")),
         [=](const Wpis& w) { return nazwaZajeta(tekst(w, nazwa)); }},
        {wart, staly(QStringLiteral("Pole 'Wartość %' musi być wypełnione")), pusty(wart)},
        {wart, staly(kWartoscProcent), nieCalkowita(wart)},
        {podst, staly(QStringLiteral("W bazie znajduje się już jedna stawka podstawowa")),
         [=](const Wpis& w) { return zaznaczone(w, podst) && liczbaPodstawowych() > 0; }},
    };
}

Reguly regulyPoprawStawki(Liczba innePodstawowe)
{
    const QString wart = QStringLiteral("DBEdit2");
    const QString podst = QStringLiteral("DBCheckBox1");
    const QString arch = QStringLiteral("DBCheckBox2");
    return {
        {wart, staly(kWartoscProcent), nieCalkowita(wart)},
        {podst, staly(QStringLiteral("Może istnieć tylko jedna stawka podstawowa")),
         [=](const Wpis& w) { return zaznaczone(w, podst) && !zaznaczone(w, arch) && innePodstawowe() > 0; }},
    };
}

Reguly regulyNowegoTowaru(CzyZajety symbolZajety)
{
    const QString symbol = QStringLiteral("LEdit_Symbol");
    return {
        {symbol, staly(QStringLiteral("Pole 'Symbol' musi być wypełnione")), pusty(symbol)},
        {symbol,
         [=](const Wpis& w) {
             return QStringLiteral("Towar / usługa o symbolu ") + tekst(w, symbol) + QStringLiteral(" już istnieje");
         },
         [=](const Wpis& w) { return symbolZajety(tekst(w, symbol)); }},
        {QStringLiteral("LEdit_Nazwa"), staly(QStringLiteral("Pole 'Nazwa towru / usługi' musi być wypełnione")),
         pusty(QStringLiteral("LEdit_Nazwa"))},
        {QStringLiteral("DBCBox_Vat_Nazwa"), staly(QStringLiteral("Należy podać stawkę VAT")),
         pusty(QStringLiteral("DBCBox_Vat_Nazwa"))},
        {QStringLiteral("LEdit_Cena_Zak"), staly(kCenaZakupu), nieRzeczywista(QStringLiteral("LEdit_Cena_Zak"))},
        {QStringLiteral("LEdit_Cena_Sprz"), staly(kCenaNetto), nieRzeczywista(QStringLiteral("LEdit_Cena_Sprz"))},
        {QStringLiteral("LEdit_Cena_Brutto_Sprz"), staly(kCenaBrutto),
         nieRzeczywista(QStringLiteral("LEdit_Cena_Brutto_Sprz"))},
        {QStringLiteral("LEdit_PKWIU"),
         staly(QStringLiteral("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU")),
         brakPkwiu(QStringLiteral("DBCBox_Czy_Podst"), QStringLiteral("LEdit_PKWIU"))},
    };
}

Reguly regulyPoprawTowaru()
{
    return {
        {QStringLiteral("DBEdit_PKWIU"),
         staly(QStringLiteral("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać je klasyfikację PKWiU")),
         brakPkwiu(QStringLiteral("DBCheckBox_Podst"), QStringLiteral("DBEdit_PKWIU"))},
        {QStringLiteral("DBEdit_Cena_Zak"), staly(kCenaZakupu), nieRzeczywista(QStringLiteral("DBEdit_Cena_Zak"))},
        {QStringLiteral("DBEdit_Cena_Sprz"), staly(kCenaNetto), nieRzeczywista(QStringLiteral("DBEdit_Cena_Sprz"))},
        {QStringLiteral("DBEdit_Cena_Brutto_Sprz"), staly(kCenaBrutto),
         nieRzeczywista(QStringLiteral("DBEdit_Cena_Brutto_Sprz"))},
    };
}

Reguly regulyNowegoKlienta(CzyZajety numerZajety, CzyZajety nipZajety)
{
    const QString nr = QStringLiteral("LEdit_Nr_Klienta");
    const QString nip = QStringLiteral("LEdit_NIP");
    return {
        {nr, staly(QStringLiteral("Należy podać numer Klienta")), pusty(nr)},
        {nr,
         [=](const Wpis& w) {
             return QStringLiteral("Klient o numerze: ") + tekst(w, nr) + QStringLiteral(" już istnieje");
         },
         [=](const Wpis& w) { return numerZajety(tekst(w, nr)); }},
        {nip, staly(kNipFirmy),
         [=](const Wpis& w) { return zaznaczone(w, QStringLiteral("CheckBox_Czy")) && tekst(w, nip).isEmpty(); }},
        {nip,
         [=](const Wpis& w) {
             return QStringLiteral("Klient o numerze NIP: ") + tekst(w, nip) + QStringLiteral(" już istnieje");
         },
         [=](const Wpis& w) { return !tekst(w, nip).isEmpty() && nipZajety(tekst(w, nip)); }},
    };
}

Reguly regulyPoprawKlienta()
{
    const QString nip = QStringLiteral("DBEdit_NIP");
    return {
        {QStringLiteral("DBEdit_Nazwa"), staly(QStringLiteral("Należy podać nazwę Klienta !")),
         pusty(QStringLiteral("DBEdit_Nazwa"))},
        {nip, staly(kNipFirmy),
         [=](const Wpis& w) { return zaznaczone(w, QStringLiteral("DBCBox_Czy_Firma")) && tekst(w, nip).isEmpty(); }},
    };
}

} // namespace dictionaries

#include "documents/DocumentRows.h"

#include "platform/data/Connection.h"

namespace documents::rows {

Row& Row::set(const char* column, const QVariant& value)
{
    columns_ << QLatin1String(column);
    values_ << value;
    return *this;
}

Row& Row::setOptional(const char* column, const std::optional<double>& value)
{
    return value ? set(column, *value) : *this;
}

Row& Row::setOptional(const char* column, const std::optional<QDate>& value)
{
    return value ? set(column, *value) : *this;
}

qint64 Row::insertInto(data::Connection& c, const char* table) const
{
    QStringList marks;
    for (qsizetype i = 0; i < columns_.size(); ++i)
        marks << QStringLiteral("?");
    c.exec(QStringLiteral("insert into %1 (%2) values (%3)")
               .arg(QLatin1String(table), columns_.join(QLatin1String(", ")), marks.join(QLatin1Char(','))),
           values_);
    return c.lastInsertId();
}

int Row::update(data::Connection& c, const char* table, const QString& where, const QVariantList& whereBinds) const
{
    QStringList sets;
    for (const QString& col : columns_)
        sets << col + QStringLiteral("=?");
    return c.exec(
        QStringLiteral("update %1 set %2 where %3").arg(QLatin1String(table), sets.join(QLatin1String(", ")), where),
        values_ + whereBinds);
}

void setHeader(Row& row, const Document& d)
{
    row.set("Data_Wyst", d.dataWyst)
        .set("Data_Sprzedarzy", d.dataSprzedarzy)
        .set("Miejsce_Wyst", d.miejsceWyst)
        .set("Klient_Nr", d.buyer.nr)
        .set("Klient_Nazwa_Nazwisko", d.buyer.nazwa)
        .set("Klient_Nazwa_Nazwisko_cd", d.buyer.nazwaCd)
        .set("Klient_Czy_Firma", d.buyer.czyFirma)
        .set("Klient_Nip", d.buyer.nip)
        .set("Klient_Kod", d.buyer.kod)
        .set("Klient_Miasto", d.buyer.miasto)
        .set("Klient_Adres", d.buyer.adres)
        .set("Forma_Zaplaty", d.formaZaplaty)
        .set("Ilosc_Dni", d.iloscDni)
        .setOptional("Data_Zaplaty", d.dataZaplaty)
        .set("Wart_Netto", d.wartNetto)
        .set("Wart_Brutto", d.wartBrutto)
        .set("Netto_Brutto", priceModeText(d.mode));
}

void setLineValues(Row& row, const DocumentLine& l)
{
    row.set("Towary_Symbol", l.symbol)
        .set("Towary_Nazwa", l.nazwa)
        .set("Towary_Nazwa_cd", l.nazwaCd)
        .set("PKWiU", l.pkwiu)
        .set("Ilosc", l.ilosc)
        .set("Jm", l.jm)
        .setOptional("Towary_Cena", l.cena)
        .setOptional("Towary_Cena_Brutto", l.cenaBrutto)
        .set("Rabat", l.rabat)
        .set("Towary_Vat_Opis", l.vatOpis)
        .set("Towary_Vat_Wart", l.vatWart)
        .set("Wartosc_Netto", l.netto)
        .set("Kwota_Vat", l.vat)
        .set("Wartosc_Brutto", l.brutto)
        .set("Waluta", QStringLiteral("PLN"))
        .set("Towary_Cena_Eu", 0)
        .set("Wartosc_Netto_Eu", 0)
        .set("Kwota_Vat_Eu", 0)
        .set("Wartosc_Brutto_Eu", 0);
}

void setLineWriter(Row& row, const QString& typ, qint64 nr, const Document& writer)
{
    row.set("Faktura_Typ", typ)
        .set("Faktura_Nr", nr)
        .set("Faktura_Rok", yearNumber(writer.own.rok))
        .set("Faktura_Data_Wyst", writer.dataWyst)
        .set("Klient_Nr", writer.buyer.nr)
        .set("Klient_Nazwa_Nazwisko", writer.buyer.nazwa)
        .set("Klient_Nazwa_Nazwisko_cd", writer.buyer.nazwaCd)
        .set("Klient_Nip", writer.buyer.nip);
}

void setView(Row& row, const ViewPlace& v)
{
    row.set("Faktura_Nr_Koncowy", v.nrKoncowy).set("Faktura_Rok_Koncowy", v.rokKoncowy).set("Lp_Koncowe", v.lpKoncowe);
}

namespace {

QString textOf(const QVariantMap& r, const char* c) { return r.value(QLatin1String(c)).toString(); }
qint64 intOf(const QVariantMap& r, const char* c) { return r.value(QLatin1String(c)).toLongLong(); }
double realOf(const QVariantMap& r, const char* c) { return r.value(QLatin1String(c)).toDouble(); }
bool isNull(const QVariantMap& r, const char* c)
{
    const QVariant v = r.value(QLatin1String(c));
    return !v.isValid() || v.isNull();
}
std::optional<double> optionalReal(const QVariantMap& r, const char* c)
{
    return isNull(r, c) ? std::nullopt : std::optional<double>(realOf(r, c));
}
std::optional<QDate> optionalDate(const QVariantMap& r, const char* c)
{
    if (isNull(r, c))
        return std::nullopt;
    const QDate d = QDate::fromString(textOf(r, c).left(10), Qt::ISODate);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

} // namespace

Document headerFrom(const QVariantMap& r)
{
    Document d;
    d.id = intOf(r, "Id");
    d.own = Identity{textOf(r, "Typ"), textOf(r, "Rok"), intOf(r, "Nr")};
    if (!isNull(r, "Typ_Koncowy") || !isNull(r, "Nr_Koncowy"))
        d.final = Identity{textOf(r, "Typ_Koncowy"), textOf(r, "Rok_Koncowy"), intOf(r, "Nr_Koncowy")};
    d.dataWyst = optionalDate(r, "Data_Wyst").value_or(QDate());
    d.dataSprzedarzy = textOf(r, "Data_Sprzedarzy");
    d.miejsceWyst = textOf(r, "Miejsce_Wyst");
    d.buyer = Buyer{textOf(r, "Klient_Nr"),
                    textOf(r, "Klient_Nazwa_Nazwisko"),
                    textOf(r, "Klient_Nazwa_Nazwisko_cd"),
                    intOf(r, "Klient_Czy_Firma") != 0,
                    textOf(r, "Klient_Nip"),
                    textOf(r, "Klient_Kod"),
                    textOf(r, "Klient_Miasto"),
                    textOf(r, "Klient_Adres")};
    d.formaZaplaty = intOf(r, "Forma_Zaplaty");
    d.iloscDni = int(intOf(r, "Ilosc_Dni"));
    d.dataZaplaty = optionalDate(r, "Data_Zaplaty");
    d.mode = priceModeFromText(textOf(r, "Netto_Brutto")).value_or(PriceMode::Netto);
    d.wartNetto = Money::fromValue(realOf(r, "Wart_Netto"));
    d.wartBrutto = Money::fromValue(realOf(r, "Wart_Brutto"));
    d.uwagi = textOf(r, "Uwagi");
    d.czyKorekta = intOf(r, "Czy_Korekta") != 0;
    d.czyDuplikat = intOf(r, "Czy_Duplikat") != 0;
    d.dataDuplikatu = optionalDate(r, "Data_Duplikatu");
    d.nrZFakt = intOf(r, "Nr_Z_Fakt");
    d.rokZFakt = textOf(r, "Rok_Z_Fakt");
    d.idZFakt = intOf(r, "Id_Z_Fakt");
    d.idFaktSkoryg = intOf(r, "Id_Fakt_Skoryg");
    return d;
}

DocumentLine lineFrom(const QVariantMap& r)
{
    DocumentLine l;
    l.id = intOf(r, "Id");
    l.lp = int(intOf(r, "Lp"));
    l.symbol = textOf(r, "Towary_Symbol");
    l.nazwa = textOf(r, "Towary_Nazwa");
    l.nazwaCd = textOf(r, "Towary_Nazwa_cd");
    l.pkwiu = textOf(r, "PKWiU");
    l.jm = textOf(r, "Jm");
    l.ilosc = realOf(r, "Ilosc");
    l.cena = optionalReal(r, "Towary_Cena");
    l.cenaBrutto = optionalReal(r, "Towary_Cena_Brutto");
    l.rabat = realOf(r, "Rabat");
    l.vatOpis = textOf(r, "Towary_Vat_Opis");
    l.vatWart = realOf(r, "Towary_Vat_Wart");
    l.netto = Money::fromValue(realOf(r, "Wartosc_Netto"));
    l.vat = Money::fromValue(realOf(r, "Kwota_Vat"));
    l.brutto = Money::fromValue(realOf(r, "Wartosc_Brutto"));
    l.fakturaTyp = textOf(r, "Faktura_Typ");
    if (!isNull(r, "Faktura_Nr_Koncowy") || !isNull(r, "Lp_Koncowe"))
        l.view = ViewPlace{intOf(r, "Faktura_Nr_Koncowy"), int(intOf(r, "Faktura_Rok_Koncowy")),
                           int(intOf(r, "Lp_Koncowe"))};
    l.czyKorekta = intOf(r, "Czy_Korekta") != 0;
    l.idZFakt = intOf(r, "Id_Z_Fakt");
    l.lpZFakt = int(intOf(r, "Lp_Z_Fakt"));
    l.nrZFakt = intOf(r, "Nr_Z_Fakt");
    l.idPozycSkoryg = intOf(r, "Id_Pozyc_Skoryg");
    return l;
}

int yearNumber(const QString& rok)
{
    bool ok = false;
    const int y = rok.toInt(&ok);
    return ok ? y : 0;
}

} // namespace documents::rows

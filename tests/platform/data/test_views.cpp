#include "support/TestDb.h"

namespace {

// Every saved query with the columns its readers bind.
const std::vector<std::pair<QString, QStringList>>& views()
{
    // clang-format off
    static const std::vector<std::pair<QString, QStringList>> v = {
        {"Faktura_Kwerenda",
         {"Id", "Typ", "Rok", "Nr", "Data_Wyst", "Data_Sprzedarzy", "Data_Zaplaty", "Klient_Nr",
          "Klient_Nazwa_Nazwisko", "Klient_Nazwa_Nazwisko_cd", "Klient_Adres", "Klient_Kod", "Klient_Miasto",
          "Klient_Nip", "Netto_Brutto", "Wart_Netto", "Wart_Brutto", "Nr_Z_Fakt", "Rok_Z_Fakt", "Czy_Korekta",
          "Czy_Duplikat", "Data_Duplikatu", "Nazwa"}},
        {"Faktura_Rok", {"Rok Pole"}},
        {"Kwerenda_Faktura_Poprawa",
         {"Faktura.Id", "Typ", "Nr", "Rok", "Data_Wyst", "Data_Sprzedarzy", "Miejsce_Wyst", "Klient_Nr",
          "Klient_Nazwa_Nazwisko", "Klient_Nazwa_Nazwisko_cd", "Klient_Kod", "Klient_Miasto", "Klient_Adres",
          "Klient_Czy_Firma", "Klient_Nip", "Netto_Brutto", "Wart_Netto", "Wart_Brutto", "Ilosc_Dni",
          "Data_Zaplaty", "Uwagi", "Nazwa"}},
        {"Kwerenda_Nota",
         {"ID", "Typ", "Nr", "Rok", "Nr_z_Fakt", "Rok_z_Fakt", "Miejsce_Wyst", "Data_Wyst", "Uwagi",
          "Faktura.Klient_Nazwa_Nazwisko", "Faktura.Klient_Nazwa_Nazwisko_cd", "Faktura.Klient_Adres",
          "Faktura.Klient_Kod", "Faktura.Klient_Miasto", "Faktura.Klient_Nip", "Faktury_Skorygowane.Klient_Nr",
          "Faktury_Skorygowane.Klient_Nazwa_Nazwisko", "Faktury_Skorygowane.Klient_Nazwa_Nazwisko_cd",
          "Faktury_Skorygowane.Klient_Adres", "Faktury_Skorygowane.Klient_Kod",
          "Faktury_Skorygowane.Klient_Miasto", "Faktury_Skorygowane.Klient_Nip"}},
        {"Korekta_Faktury",
         {"Id_Fakt", "LP_z_Fakt", "Faktura_Szczegoly.Lp", "Faktura_Szczegoly.Towary_Nazwa",
          "Faktura_Szczegoly.Towary_Nazwa_cd", "Faktura_Szczegoly.PKWiU", "Faktura_Szczegoly.Ilosc",
          "Faktura_Szczegoly.Jm", "Faktura_Szczegoly.Towary_Cena", "Faktura_Szczegoly.Towary_Cena_Brutto",
          "Faktura_Szczegoly.Rabat", "Faktura_Szczegoly.Wartosc_Netto", "Faktura_Szczegoly.Towary_Vat_Opis",
          "Faktura_Szczegoly.Kwota_Vat", "Faktura_Szczegoly.Wartosc_Brutto", "Pozycje_Skorygowane.Lp",
          "Pozycje_Skorygowane.Towary_Nazwa", "Pozycje_Skorygowane.Towary_Nazwa_cd", "Pozycje_Skorygowane.PKWiU",
          "Pozycje_Skorygowane.Ilosc", "Pozycje_Skorygowane.Jm", "Pozycje_Skorygowane.Towary_Cena",
          "Pozycje_Skorygowane.Towary_Cena_Brutto", "Pozycje_Skorygowane.Rabat",
          "Pozycje_Skorygowane.Wartosc_Netto", "Pozycje_Skorygowane.Towary_Vat_Opis",
          "Pozycje_Skorygowane.Kwota_Vat", "Pozycje_Skorygowane.Wartosc_Brutto"}},
        {"Klient_Sprzedaz",
         {"Nr_Klienta", "Nazwa_Nazwisko", "NIP", "Kod", "Miasto", "Adres", "Faktura_Typ", "Faktura_Nr",
          "Faktura_Rok", "Faktura_Data_Wyst", "Towary_Symbol", "Towary_Nazwa", "PKWiU", "Jm", "Ilosc",
          "Towary_Cena", "Towary_Cena_Brutto", "Rabat", "Wartosc_Netto", "Towary_Vat_Opis", "Kwota_Vat",
          "Wartosc_Brutto"}},
        {"Towary_Sprzedaz",
         {"Symbol", "Nazwa", "PKWIU", "Towary.Jm", "Cena_Netto_Zak", "Cena_Netto_Sprz", "Vat_Opis",
          "Faktura_Szczegoly.Jm", "Faktura_Typ", "Faktura_Nr", "Faktura_Rok", "Faktura_Data_Wyst", "Klient_Nr",
          "Klient_Nazwa_Nazwisko", "Klient_Nip", "Towary_Cena", "Towary_Cena_Brutto", "Ilosc", "Rabat",
          "Wartosc_Netto", "Towary_Vat_Opis", "Kwota_Vat", "Wartosc_Brutto"}},
    };
    // clang-format on
    return v;
}

void expectColumns(TestDb& db, bool filled)
{
    for (const auto& [name, columns] : views()) {
        auto t = db.table(name);
        ASSERT_NO_THROW(t->open()) << name.toStdString();
        EXPECT_EQ(t->isEmpty(), !filled) << name.toStdString();
        for (const QString& c : columns) {
            ASSERT_NE(t->findField(c), nullptr) << name.toStdString() << "." << c.toStdString();
            EXPECT_NO_THROW(t->fieldByName(c).asString());
        }
        EXPECT_FALSE(t->canModify()) << name.toStdString();
    }
}

// An invoice with two lines, corrected (line 2 replaced: reversal KFVb + new line), and a note
// that took the invoice's final identity and changed the buyer.
void fill(data::Connection& c)
{
    c.exec("insert into Forma_Zaplaty (Id, Nazwa) values (1, 'Przelew')");
    c.exec("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values ('K2', 'Beta'), ('K1', 'Alfa')");
    c.exec("insert into Towary (Symbol, Nazwa, Jm) values ('T1', 'Towar', 'szt')");
    c.exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Forma_Zaplaty, Klient_Nr, Typ_Koncowy, Rok_Koncowy, "
           "Nr_Koncowy) values (1, 'FV', '2011', 1, '2011-03-01', 1, 'K1', '', '', 0)");
    c.exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Klient_Nr, Id_Z_Fakt, Nr_Z_Fakt, Rok_Z_Fakt) values "
           "(2, 'KFV', '2011', 1, '2011-04-01', 'K1', 1, 1, '2011')");
    c.exec("insert into Faktury_Skorygowane (Id, Typ, Nr, Rok, Klient_Nr, Klient_Nazwa_Nazwisko) values "
           "(1, 'NFV', 1, '2011', 'K1', 'Stara nazwa')");
    c.exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Klient_Nr, Klient_Nazwa_Nazwisko, Id_Fakt_Skoryg, "
           "Typ_Koncowy, Rok_Koncowy, Nr_Koncowy, Nr_Z_Fakt, Rok_Z_Fakt) values "
           "(3, 'NFV', '2011', 1, '2011-05-01', 'K1', 'Nowa nazwa', 1, 'FV', '2011', 1, 1, '2011')");
    c.exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Klient_Nr, Typ_Koncowy, Rok_Koncowy, Nr_Koncowy) values "
           "(4, 'FV', '2012', 1, '2012-01-01', 'K2', 'FV', '2012', 1)");
    c.exec("insert into Faktura_Szczegoly (Id, Id_Fakt, Lp, Towary_Symbol, Jm, Klient_Nr, Faktura_Typ, Wartosc_Netto, "
           "Towary_Cena_Brutto, Faktura_Nr_Koncowy, Faktura_Rok_Koncowy, Czy_Korekta, Id_Pozyc_Skoryg, Lp_Z_Fakt, "
           "Faktura_Data_Wyst) values "
           "(1, 1, 1, 'T1', 'szt', 'K1', 'FV', 10, 12.3, 1, 2011, 0, NULL, NULL, '2011-03-01'),"
           "(2, 1, 2, 'T1', 'szt', 'K1', 'FV', 20, 24.6, 0, 0, 1, NULL, NULL, '2011-03-01'),"
           "(3, 2, 1, 'T1', 'szt', 'K1', 'KFVb', -20, 24.6, 0, 0, 0, 1, 2, '2011-04-01'),"
           "(4, 2, 2, 'T1', 'szt', 'K1', 'KFV', 15, 18.45, 1, 2011, 0, 1, 2, '2011-04-01'),"
           "(5, 4, 1, 'T1', 'kg', 'K2', 'FV', 5, 6.15, 1, 2012, 0, NULL, NULL, '2012-01-01')");
    c.exec("insert into Pozycje_Skorygowane (Id, Id_Fakt, Lp, Lp_Z_Fakt, Wartosc_Netto) values (1, 2, 1, 2, 20)");
}

} // namespace

TEST(Views, ReturnTheirColumnsOnEmptyAndFilledDatabase)
{
    TestDb db;
    expectColumns(db, false);
    fill(*db.conn);
    expectColumns(db, true);
}

TEST(Views, RowsAreTheOnesTheReadersExpect)
{
    TestDb db;
    fill(*db.conn);

    // Only an invoice still its own final view, with no correction, may be edited.
    auto pop = db.table(QStringLiteral("Kwerenda_Faktura_Poprawa"));
    pop->open();
    ASSERT_EQ(pop->recordCount(), 1);
    EXPECT_EQ(pop->fieldByName("Faktura.Id").asInteger(), 4);

    auto kor = db.table(QStringLiteral("Korekta_Faktury"));
    kor->open();
    ASSERT_EQ(kor->recordCount(), 1); // the new line only, never the reversal
    EXPECT_EQ(kor->fieldByName(QStringLiteral("Faktura_Szczegoly.Wartosc_Netto")).asFloat(), 15.0);
    EXPECT_EQ(kor->fieldByName(QStringLiteral("Pozycje_Skorygowane.Wartosc_Netto")).asFloat(), 20.0);
    EXPECT_EQ(kor->fieldByName(QStringLiteral("Lp_Z_Fakt")).asInteger(), 2);
    EXPECT_EQ(kor->fieldByName(QStringLiteral("Id_Fakt")).asInteger(), 2);

    auto nota = db.table(QStringLiteral("Kwerenda_Nota"));
    nota->setFilter(QStringLiteral("ID='3'"));
    nota->setFiltered(true);
    nota->open();
    ASSERT_EQ(nota->recordCount(), 1);
    EXPECT_EQ(nota->fieldByName(QStringLiteral("Faktura.Klient_Nazwa_Nazwisko")).asString(),
              QStringLiteral("Nowa nazwa"));
    EXPECT_EQ(nota->fieldByName(QStringLiteral("Faktury_Skorygowane.Klient_Nazwa_Nazwisko")).asString(),
              QStringLiteral("Stara nazwa"));

    auto kl = db.table(QStringLiteral("Klient_Sprzedaz"));
    kl->setFilter(QStringLiteral("Faktura_Data_Wyst>=2011-01-01 and Faktura_Data_Wyst<=2012-12-31"));
    kl->setFiltered(true);
    kl->open();
    QStringList order;
    double sum = 0;
    for (kl->first(); !kl->eof(); kl->next()) {
        order << kl->fieldByName(QStringLiteral("Nr_Klienta")).asString();
        if (kl->fieldByName(QStringLiteral("Nr_Klienta")).asString() == QLatin1String("K1"))
            sum += kl->fieldByName(QStringLiteral("Wartosc_Netto")).asFloat();
    }
    EXPECT_EQ(order, (QStringList{"K1", "K1", "K1", "K1", "K2"}));
    EXPECT_EQ(sum, 25.0); // the corrected line counts at its new amount

    auto tw = db.table(QStringLiteral("Towary_Sprzedaz"));
    tw->open();
    EXPECT_EQ(tw->recordCount(), 5);
    EXPECT_EQ(tw->fieldByName(QStringLiteral("Towary.Jm")).asString(), QStringLiteral("szt"));

    auto lata = db.table(QStringLiteral("Faktura_Rok"));
    lata->open();
    QStringList years;
    for (lata->first(); !lata->eof(); lata->next())
        years << lata->fieldByName(QStringLiteral("Rok Pole")).asString();
    EXPECT_EQ(years, (QStringList{"2011", "2012"}));

    auto kw = db.table(QStringLiteral("Faktura_Kwerenda"));
    kw->open();
    EXPECT_EQ(kw->recordCount(), 4); // the left join keeps documents without a payment kind
    EXPECT_EQ(kw->fieldByName(QStringLiteral("Nazwa")).asString(), QStringLiteral("Przelew"));
}

// The checks of the correction invoice and the note in their order, and the check and arithmetic
// of one corrected line.
#include "corrections/CorrectionCheck.h"

#include <gtest/gtest.h>

using namespace corrections;
using documents::PriceMode;

namespace {

// Runs the check, expects it to fail with `message` at `field`, then lets `fix` mend the entry.
template <class Entry, class Check>
void fails(Check check, Entry& e, const char* message, Pole field, const std::function<void(Entry&)>& fix)
{
    const auto b = check(e);
    ASSERT_TRUE(b) << message;
    EXPECT_EQ(b->message, QString::fromUtf8(message));
    EXPECT_EQ(b->field, field) << message;
    fix(e);
}

} // namespace

TEST(CorrectionCheck, TheElevenChecksOfACorrectionInTheirOrder)
{
    KorektaEntry e;
    e.iloscDni = "x";
    e.dataZap = "2011-5-1";
    using F = std::function<void(KorektaEntry&)>;
    auto c = [](const KorektaEntry& k) { return checkKorekta(k); };
    fails(c, e, "Pole 'Data Wystawienia' musi być wypełnione !", Pole::Data_Wyst,
          F([](auto& k) { k.dataWyst = "2011-4-01"; }));
    fails(c, e, "Niepoprawny format daty w polu 'Data wystawienia'\nPoprawny format to rrrr-mm-dd", Pole::Data_Wyst,
          F([](auto& k) { k.dataWyst = "2011-02-30"; }));
    fails(c, e, "Niepoprawna data", Pole::Data_Wyst, F([](auto& k) { k.dataWyst = "2011-04-01"; }));
    fails(c, e, "Pole 'Rok' musi być wypełnione !", Pole::Rok, F([](auto& k) { k.rok = "2010"; }));
    fails(c, e, "Niepoprawna wartość w polu 'Rok'", Pole::Rok, F([](auto& k) {
              k.rok = "2011";
              k.typFaktury = "FV";
          }));
    // Both the final type and the final number are needed.
    fails(c, e, "Nie wybrano dokumentu do korekty !", Pole::Pobierz, F([](auto& k) { k.nrFaktury = "7"; }));
    fails(c, e, "Nie skorygowano żadnych pozycji !", Pole::Koryguj, F([](auto& k) { k.lineCount = 1; }));
    fails(c, e, "Nie wybrano sposobu zapłaty !", Pole::Forma_Zaplaty, F([](auto& k) { k.formaZaplaty = "Przelew"; }));
    fails(c, e, "Niepoprawny format daty w polu 'Data zapłaty'\nPoprawny format to rrrr-mm-dd", Pole::Data_Zap,
          F([](auto& k) { k.dataZap = "2011-05-32"; }));
    fails(c, e, "Niepoprawna data", Pole::Data_Zap, F([](auto& k) { k.dataZap.clear(); }));
    fails(c, e, "Pole 'Ilość dni' musi być liczbą całkowitą", Pole::Ilosc_Dni, F([](auto& k) { k.iloscDni = "-3"; }));
    EXPECT_FALSE(checkKorekta(e));
}

TEST(CorrectionCheck, NoteChecksTheNewBuyer)
{
    NotaEntry e{"2011-05-02", "2011", "FV", "4", "Nowy", true, "", "00-950", "", "Krótka 2"};
    EXPECT_EQ(checkNota(e)->field, Pole::NIP);
    e.czyFirma = false;
    // Only the town is missing, and the focus goes to the postal code.
    const auto b = checkNota(e);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->message, QString::fromUtf8("Nie wprowadzono pełnych danych adresowych !"));
    EXPECT_EQ(b->field, Pole::Kod);
    e.miasto = "Warszawa";
    EXPECT_FALSE(checkNota(e));
    e.nrFaktury.clear();
    EXPECT_EQ(checkNota(e)->field, Pole::Pobierz);
}

TEST(CorrectionCheck, CorrectedLineChecksAndArithmetic)
{
    auto value = [](const PozycjaEntry& e, PriceMode m) { return evaluatePozycja(e, m); };
    auto field = [&](const PozycjaEntry& e, PriceMode m) {
        const auto r = value(e, m);
        return std::holds_alternative<Blad>(r) ? std::get<Blad>(r).field : Pole::Nazwa;
    };
    // Net mode: the gross price field is the old line's and is not checked.
    PozycjaEntry e{"", "2", "10", "garbage", "10", "23", "23", true};
    auto r = value(e, PriceMode::Netto);
    ASSERT_TRUE(std::holds_alternative<Pozycja>(r));
    EXPECT_NEAR(double(std::get<Pozycja>(r).values.net), 18.0, 1e-9);
    EXPECT_NEAR(double(std::get<Pozycja>(r).values.vat), 4.14, 1e-9);
    EXPECT_NEAR(double(std::get<Pozycja>(r).values.gross), 22.14, 1e-9);
    EXPECT_EQ(field(e, PriceMode::Brutto), Pole::Cena_Brutto);

    PozycjaEntry g{"", "1", "x", "123", "0", "23", "23", true};
    r = value(g, PriceMode::Brutto);
    ASSERT_TRUE(std::holds_alternative<Pozycja>(r));
    EXPECT_NEAR(double(std::get<Pozycja>(r).values.net), 100.0, 1e-9);
    EXPECT_NEAR(double(std::get<Pozycja>(r).values.vat), 23.0, 1e-9);

    // Quantity 0 and negative quantities pass; numbers too large for the database do not.
    e.ilosc = "-1";
    EXPECT_TRUE(std::holds_alternative<Pozycja>(value(e, PriceMode::Netto)));
    e.ilosc = "1E400";
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::Ilosc);
    e.ilosc = "1E200";
    e.cena = "1E200";
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::Ilosc); // the value itself would not be finite
    // Finite, but beyond the amounts a document stores: on the field at fault.
    e.ilosc = "1";
    e.cena = "100000000000000";
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::Cena);
    e.cena = "1000000";
    e.ilosc = "-1000000000";
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::Ilosc);
    // What a business writes passes, up to the bounds; a quantity past its bound is refused on it.
    PozycjaEntry b{"", "9999999,999", "0,05", "", "0", "23", "23", true};
    ASSERT_TRUE(std::holds_alternative<Pozycja>(value(b, PriceMode::Netto)));
    EXPECT_NEAR(double(std::get<Pozycja>(value(b, PriceMode::Netto)).values.gross), 614999.9999385, 1e-6);
    b.ilosc = "1";
    b.cena = "800000000";
    ASSERT_TRUE(std::holds_alternative<Pozycja>(value(b, PriceMode::Netto)));
    EXPECT_NEAR(double(std::get<Pozycja>(value(b, PriceMode::Netto)).values.gross), 984000000.0, 1e-6);
    b.ilosc = "-1";
    EXPECT_TRUE(std::holds_alternative<Pozycja>(value(b, PriceMode::Netto))); // a correction down to minus
    b.ilosc = "10000000";
    b.cena = "0,05";
    EXPECT_EQ(std::get<Blad>(value(b, PriceMode::Netto)).message,
              QString::fromUtf8("Ilość nie może przekroczyć 9 999 999,999"));
    e.ilosc = "2";
    e.cena = "10";
    for (const char* rabat : {"101", "-1"})
        EXPECT_EQ(std::get<Blad>(value((e.rabat = rabat, e), PriceMode::Netto)).message,
                  QString::fromUtf8("Rabat nie może być mniejszy od 0% ani większy niż 100%"));
    e.rabat = "5,5";
    EXPECT_EQ(std::get<Blad>(value(e, PriceMode::Netto)).message, QString::fromUtf8("Rabat musi być liczbą calkowitą"));
    e.rabat = "100";
    EXPECT_NEAR(double(std::get<Pozycja>(value(e, PriceMode::Netto)).values.gross), 0.0, 1e-12);
    // A reduced rate needs the classification; a rate that is not shown is no rate.
    e.czyPodst = false;
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::PKWIU);
    e.vatNazwa.clear();
    EXPECT_EQ(field(e, PriceMode::Netto), Pole::Vat);
}

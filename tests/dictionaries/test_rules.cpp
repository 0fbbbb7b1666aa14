// Entry checks of the dictionary dialogs: order, messages and focus, over each dictionary.
#include "dictionaries/Rules.h"

#include <gtest/gtest.h>

using namespace dictionaries;

namespace {

struct Przypadek {
    const char* opis;
    Wpis wpis;
    std::optional<Odmowa> oczekiwana;
};

void sprawdz(const Reguly& reguly, const std::vector<Przypadek>& przypadki)
{
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        EXPECT_EQ(pierwszaOdmowa(reguly, p.wpis), p.oczekiwana);
    }
}

CzyZajety zajete(QStringList klucze)
{
    return [klucze](const QString& s) { return klucze.contains(s, Qt::CaseInsensitive); };
}

Odmowa o(const char* komunikat, const char* pole) { return {QString::fromUtf8(komunikat), QString::fromLatin1(pole)}; }

} // namespace

TEST(Reguly, NowaStawka)
{
    int podstawowych = 0;
    const auto reguly = regulyNowejStawki(zajete({"23", "8"}), [&] { return podstawowych; });
    // clang-format off
    sprawdz(reguly, {
        {"pusta nazwa", {{"LEdit_Nazwa", ""}, {"LEdit_Wart", "x"}}, o("Ple 'Nazwa' musi być wypełnione", "LEdit_Nazwa")},
        {"nazwa zajęta", {{"LEdit_Nazwa", "23"}}, o("Stawka VAT o takiej nazwie już istnieje", "LEdit_Nazwa")},
        {"początek zajętej nazwy wolny", {{"LEdit_Nazwa", "2"}, {"LEdit_Wart", "2"}}, std::nullopt},
        {"pusta wartość", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", ""}}, o("Pole 'Wartość %' musi być wypełnione", "LEdit_Wart")},
        {"wartość ułamkowa", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", "7,5"}}, o("Niepoprawna wartość w polu 'Wartość %'", "LEdit_Wart")},
        {"wartość ujemna", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", "-3"}}, std::nullopt},
        {"podstawowa, brak innej", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", "5"}, {"CBox_Czy_Podst", true}}, std::nullopt},
    });
    // clang-format on
    podstawowych = 1;
    // clang-format off
    sprawdz(reguly, {
        {"druga podstawowa", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", "5"}, {"CBox_Czy_Podst", true}},
         o("W bazie znajduje się już jedna stawka podstawowa", "CBox_Czy_Podst")},
        {"zwykła przy podstawowej", {{"LEdit_Nazwa", "5"}, {"LEdit_Wart", "5"}, {"CBox_Czy_Podst", false}}, std::nullopt},
    });
    // clang-format on
}

TEST(Reguly, PoprawStawke)
{
    int innych = 1;
    const auto reguly = regulyPoprawStawki([&] { return innych; });
    // clang-format off
    sprawdz(reguly, {
        {"pusta wartość", {{"DBEdit2", ""}}, o("Niepoprawna wartość w polu 'Wartość %'", "DBEdit2")},
        {"druga podstawowa", {{"DBEdit2", "8"}, {"DBCheckBox1", true}},
         o("Może istnieć tylko jedna stawka podstawowa", "DBCheckBox1")},
        {"podstawowa od razu w archiwum", {{"DBEdit2", "8"}, {"DBCheckBox1", true}, {"DBCheckBox2", true}}, std::nullopt},
    });
    // clang-format on
    innych = 0;
    sprawdz(reguly, {{"jedyna podstawowa", {{"DBEdit2", "23"}, {"DBCheckBox1", true}}, std::nullopt}});
}

TEST(Reguly, NowyTowar)
{
    const auto reguly = regulyNowegoTowaru(zajete({"ABC1"}));
    Wpis dobry{{"LEdit_Symbol", "ABC"},    {"LEdit_Nazwa", "Śruba"},     {"DBCBox_Vat_Nazwa", "23"},
               {"LEdit_Cena_Zak", "0,00"}, {"LEdit_Cena_Sprz", "12,50"}, {"LEdit_Cena_Brutto_Sprz", "15,38"},
               {"DBCBox_Czy_Podst", true}, {"LEdit_PKWIU", ""}};
    auto z = [&](const char* pole, QVariant v) {
        Wpis w = dobry;
        w[QString::fromLatin1(pole)] = v;
        return w;
    };
    // clang-format off
    sprawdz(reguly, {
        {"poprawny", dobry, std::nullopt},
        {"pusty symbol", z("LEdit_Symbol", ""), o("Pole 'Symbol' musi być wypełnione", "LEdit_Symbol")},
        {"symbol zajęty bez względu na wielkość liter", z("LEdit_Symbol", "abc1"),
         o("Towar / usługa o symbolu abc1 już istnieje", "LEdit_Symbol")},
        {"pusta nazwa", z("LEdit_Nazwa", ""), o("Pole 'Nazwa towru / usługi' musi być wypełnione", "LEdit_Nazwa")},
        {"brak stawki", z("DBCBox_Vat_Nazwa", ""), o("Należy podać stawkę VAT", "DBCBox_Vat_Nazwa")},
        {"cena zakupu", z("LEdit_Cena_Zak", "abc"), o("Niepoprawna wartość w polu 'Cena zakupu'", "LEdit_Cena_Zak")},
        {"cena netto z kropką", z("LEdit_Cena_Sprz", "12.50"),
         o("Niepoprana wartość w polu 'Cena sprzedaży (netto)'", "LEdit_Cena_Sprz")},
        {"cena brutto pusta", z("LEdit_Cena_Brutto_Sprz", ""),
         o("Niepoprana wartość w polu 'Cena sprzedaży (brutto)'", "LEdit_Cena_Brutto_Sprz")},
        {"obniżona stawka bez PKWiU", z("DBCBox_Czy_Podst", false),
         o("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU", "LEdit_PKWIU")},
        {"cena ujemna przyjęta", z("LEdit_Cena_Zak", "-1"), std::nullopt},
    });
    // clang-format on
}

TEST(Reguly, PoprawTowar)
{
    Wpis dobry{{"DBEdit_PKWIU", ""},
               {"DBCheckBox_Podst", true},
               {"DBEdit_Cena_Zak", "1"},
               {"DBEdit_Cena_Sprz", "2,5"},
               {"DBEdit_Cena_Brutto_Sprz", "3"}};
    auto z = [&](const char* pole, QVariant v) {
        Wpis w = dobry;
        w[QString::fromLatin1(pole)] = v;
        return w;
    };
    // clang-format off
    sprawdz(regulyPoprawTowaru(), {
        {"poprawny", dobry, std::nullopt},
        {"obniżona stawka bez PKWiU", z("DBCheckBox_Podst", false),
         o("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać je klasyfikację PKWiU", "DBEdit_PKWIU")},
        {"cena zakupu", z("DBEdit_Cena_Zak", "x"), o("Niepoprawna wartość w polu 'Cena zakupu'", "DBEdit_Cena_Zak")},
        {"cena netto", z("DBEdit_Cena_Sprz", "1,2,3"), o("Niepoprana wartość w polu 'Cena sprzedaży (netto)'", "DBEdit_Cena_Sprz")},
        {"cena brutto", z("DBEdit_Cena_Brutto_Sprz", ","), o("Niepoprana wartość w polu 'Cena sprzedaży (brutto)'", "DBEdit_Cena_Brutto_Sprz")},
    });
    // clang-format on
}

TEST(Reguly, NowyKlient)
{
    const auto reguly = regulyNowegoKlienta(zajete({"K10"}), zajete({"1234567890"}));
    // clang-format off
    sprawdz(reguly, {
        {"pusty numer", {{"LEdit_Nr_Klienta", ""}}, o("Należy podać numer Klienta", "LEdit_Nr_Klienta")},
        {"K1 przy K10 wolny", {{"LEdit_Nr_Klienta", "K1"}}, std::nullopt},
        {"numer zajęty", {{"LEdit_Nr_Klienta", "k10"}}, o("Klient o numerze: k10 już istnieje", "LEdit_Nr_Klienta")},
        {"firma bez NIP", {{"LEdit_Nr_Klienta", "K2"}, {"CheckBox_Czy", true}},
         o("Jeżeli Klientem jest firma należy podać Jego nr NIP", "LEdit_NIP")},
        {"NIP zajęty", {{"LEdit_Nr_Klienta", "K2"}, {"LEdit_NIP", "1234567890"}},
         o("Klient o numerze NIP: 1234567890 już istnieje", "LEdit_NIP")},
        {"początek zajętego NIP wolny", {{"LEdit_Nr_Klienta", "K2"}, {"LEdit_NIP", "123"}}, std::nullopt},
        {"osoba bez NIP", {{"LEdit_Nr_Klienta", "K2"}, {"LEdit_NIP", ""}}, std::nullopt},
    });
    // clang-format on
}

TEST(Reguly, PoprawKlienta)
{
    // clang-format off
    sprawdz(regulyPoprawKlienta(), {
        {"pusta nazwa", {{"DBEdit_Nazwa", ""}, {"DBCBox_Czy_Firma", true}}, o("Należy podać nazwę Klienta !", "DBEdit_Nazwa")},
        {"firma bez NIP", {{"DBEdit_Nazwa", "A"}, {"DBCBox_Czy_Firma", true}},
         o("Jeżeli Klientem jest firma należy podać Jego nr NIP", "DBEdit_NIP")},
        {"osoba bez NIP", {{"DBEdit_Nazwa", "A"}}, std::nullopt},
    });
    // clang-format on
}

TEST(Reguly, Liczby)
{
    // clang-format off
    struct { const char* s; std::optional<int> c; std::optional<double> r; } t[] = {
        {"23", 23, 23.0}, {"-5", -5, -5.0}, {"+7", 7, 7.0}, {"7,5", std::nullopt, 7.5}, {"", std::nullopt, std::nullopt},
        {"12.50", std::nullopt, std::nullopt}, {",5", std::nullopt, 0.5}, {"1e3", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt}, {" 3 ", std::nullopt, std::nullopt}, {"3 4", std::nullopt, std::nullopt},
    };
    // clang-format on
    for (const auto& x : t) {
        SCOPED_TRACE(x.s);
        EXPECT_EQ(naCalkowita(QString::fromLatin1(x.s)), x.c);
        EXPECT_EQ(naRzeczywista(QString::fromLatin1(x.s)), x.r);
    }
}

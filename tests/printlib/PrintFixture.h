#pragma once
// A test database with the seller's settings, the host's data module and a PDF capture of what
// the printouts send to the printer; documents are written with SQL as the document windows
// write them: invoices and pro formas with their lines, a correction (before-images, new lines,
// reversal lines "KFVb", detached old lines) and a note (the old header kept, the final identity
// taken over).
#include "platform/data/Dataset.h"
#include "platform/registry/Registry.h"
#include "platform/report/Output.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include "support/PdfText.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

class PrintFixture : public ::testing::Test {
protected:
    struct Line {
        QString name;
        double qty, price; // the unit price in the document's price mode
        int rate;
    };
    struct Change {
        int lp;     // the corrected line of the invoice
        double qty; // its new quantity
    };

    void SetUp() override
    {
        registry::setStorePath(db.dir.filePath("rejestr.ini"));
        for (const auto& [name, value] : {std::pair{"Nazwa_L1", "Przedsiębiorstwo Żółw"},
                                          {"Nazwa_L2", "Sp. z o.o."},
                                          {"Adres", "ul. Długa 5"},
                                          {"Kod", "00-950"},
                                          {"Miasto", "Łódź"},
                                          {"Nip", "123-456-32-18"},
                                          {"Konto", "12 3456 7890"},
                                          {"Tel", "42 123 45 67"}})
            registry::write(registry::Root::LocalMachine, "Software\\Orlimek\\Tarnex\\", name,
                            QString::fromUtf8(value));
        module = std::make_unique<TDataModule1>(nullptr, db.path);
        c().exec("insert into Forma_Zaplaty (Id, Nazwa, Opis) values (1, 'przelew', '')");
        capture = std::make_unique<report::PdfCapture>(db.dir.filePath("wydruki"));
    }
    void TearDown() override
    {
        capture.reset();
        module.reset();
        registry::setStorePath(QString());
    }

    data::Connection& c() { return *module->ADOConnection1; }

    // Net, VAT and gross of a line as the line dialogs compute them.
    static void amounts(const QString& mode, double qty, double price, int rate, double& net, double& vat,
                        double& gross)
    {
        if (mode == QLatin1String("brutto")) {
            gross = qty * price;
            net = gross * 100.0 / (100.0 + rate);
            vat = gross - net;
        } else {
            net = qty * price;
            vat = net * rate / 100.0;
            gross = net + vat;
        }
    }

    // A VAT invoice ("FV", with its final identity) or a pro forma ("PFV", without) of 2011.
    void document(int id, const char* typ, int nr, const char* mode, const std::vector<Line>& lines,
                  const char* buyer = "Nabywca Ćma")
    {
        const QString m = QString::fromLatin1(mode);
        const bool fv = QLatin1String(typ) == QLatin1String("FV");
        double netto = 0, brutto = 0;
        int lp = 0;
        for (const Line& l : lines) {
            double net, vat, gross;
            amounts(m, l.qty, l.price, l.rate, net, vat, gross);
            netto += net;
            brutto += gross;
            ++lp;
            const bool gm = m == QLatin1String("brutto");
            c().exec(
                "insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Towary_Nazwa, Towary_Nazwa_cd, PKWiU, Jm, "
                "Ilosc, Towary_Cena, Towary_Cena_Brutto, Rabat, Towary_Vat_Opis, Towary_Vat_Wart, Wartosc_Netto, "
                "Kwota_Vat, Wartosc_Brutto, Faktura_Typ, Faktura_Nr, Faktura_Rok, Faktura_Nr_Koncowy, "
                "Faktura_Rok_Koncowy, Lp_Koncowe) values (?, ?, ?, ?, '', '', 'szt.', ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, "
                "2011, ?, ?, ?)",
                {id, lp, QStringLiteral("S%1").arg(lp), l.name, l.qty, gm ? QVariant() : QVariant(l.price),
                 gm ? QVariant(l.price) : QVariant(), QStringLiteral("%1%").arg(l.rate), l.rate, net, vat, gross,
                 QString::fromLatin1(typ), nr, fv ? QVariant(nr) : QVariant(), fv ? QVariant(2011) : QVariant(),
                 fv ? QVariant(lp) : QVariant()});
        }
        c().exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Forma_Zaplaty, "
                 "Data_Zaplaty, Netto_Brutto, Wart_Netto, Wart_Brutto, Uwagi, Klient_Nr, Klient_Nazwa_Nazwisko, "
                 "Klient_Nazwa_Nazwisko_cd, Klient_Adres, Klient_Kod, Klient_Miasto, Klient_Nip, Typ_Koncowy, "
                 "Rok_Koncowy, Nr_Koncowy) values (?, ?, '2011', ?, '2011-03-01', '2011-03-01', 'Kraków', 1, "
                 "'2011-03-15', ?, ?, ?, 'Płatne w terminie', 'K1', ?, 'i Syn', 'ul. Krótka 1', '31-000', "
                 "'Kraków', '987-654-32-10', ?, ?, ?)",
                 {id, QString::fromLatin1(typ), nr, m, netto, brutto, QString::fromUtf8(buyer),
                  fv ? QVariant(QStringLiteral("FV")) : QVariant(), fv ? QVariant(QStringLiteral("2011")) : QVariant(),
                  fv ? QVariant(nr) : QVariant()});
    }

    // Correction `id` (KFV `nr`/2011) of invoice `invoiceId`: each changed line keeps its old state as
    // a before-image, gets a new line in its place of the invoice and a reversal line, and is detached.
    void correction(int id, int nr, int invoiceId, const std::vector<Change>& changes)
    {
        const QString mode = c().scalar("select Netto_Brutto from Faktura where Id=?", {invoiceId}).toString();
        c().exec(
            "insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Forma_Zaplaty, "
            "Netto_Brutto, Klient_Nr, Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Adres, Klient_Kod, "
            "Klient_Miasto, Klient_Nip, Nr_Z_Fakt, Rok_Z_Fakt, Id_Z_Fakt, Uwagi, Wart_Netto, Wart_Brutto) "
            "select ?, 'KFV', '2011', ?, '2011-04-01', Data_Sprzedarzy, Miejsce_Wyst, Forma_Zaplaty, Netto_Brutto, "
            "Klient_Nr, Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Adres, Klient_Kod, Klient_Miasto, "
            "Klient_Nip, Nr_Koncowy, Rok_Koncowy, Id, '', 0, 0 from Faktura where Id=?",
            {id, nr, invoiceId});
        c().exec("update Faktura set Czy_Korekta=1 where Id=?", {invoiceId});
        const QString cols = QStringLiteral("Towary_Symbol, Towary_Nazwa, Towary_Nazwa_cd, PKWiU, Jm, Towary_Cena, "
                                            "Towary_Cena_Brutto, Rabat, Towary_Vat_Opis, Towary_Vat_Wart");
        double dNet = 0, dGross = 0;
        int i = 0;
        for (const Change& ch : changes) {
            ++i;
            const QVariant oldId =
                c().scalar("select Id from Faktura_Szczegoly where Id_Fakt=? and Lp=?", {invoiceId, ch.lp});
            c().exec("insert into Pozycje_Skorygowane (Id_Fakt, Lp, Lp_Z_Fakt, Ilosc, Wartosc_Netto, Kwota_Vat, "
                     "Wartosc_Brutto, Faktura_Typ, Faktura_Nr, Faktura_Rok, Nr_Z_Fakt, Id_Z_Fakt, "
                         + cols
                         + ") "
                           "select ?, ?, Lp, Ilosc, Wartosc_Netto, Kwota_Vat, Wartosc_Brutto, 'KFV', ?, 2011, "
                           "Faktura_Nr_Koncowy, "
                           "Id_Fakt, "
                         + cols + " from Faktura_Szczegoly where Id=?",
                     {id, i, nr, oldId});
            const qint64 imageId = c().scalar("select max(Id) from Pozycje_Skorygowane").toLongLong();
            const double price = c().scalar(mode == QLatin1String("brutto")
                                                ? "select Towary_Cena_Brutto from Faktura_Szczegoly where Id=?"
                                                : "select Towary_Cena from Faktura_Szczegoly where Id=?",
                                            {oldId})
                                     .toDouble();
            const int rate = c().scalar("select Towary_Vat_Wart from Faktura_Szczegoly where Id=?", {oldId}).toInt();
            double net, vat, gross;
            amounts(mode, ch.qty, price, rate, net, vat, gross);
            dNet += net - c().scalar("select Wartosc_Netto from Faktura_Szczegoly where Id=?", {oldId}).toDouble();
            dGross += gross - c().scalar("select Wartosc_Brutto from Faktura_Szczegoly where Id=?", {oldId}).toDouble();
            c().exec("insert into Faktura_Szczegoly (Id_Fakt, Lp, Lp_Z_Fakt, Ilosc, Wartosc_Netto, Kwota_Vat, "
                     "Wartosc_Brutto, "
                     "Faktura_Typ, Faktura_Nr, Faktura_Rok, Id_Pozyc_Skoryg, Nr_Z_Fakt, Id_Z_Fakt, Faktura_Nr_Koncowy, "
                     "Faktura_Rok_Koncowy, Lp_Koncowe, "
                         + cols
                         + ") select ?, ?, Lp_Koncowe, ?, ?, ?, ?, 'KFV', ?, 2011, ?, "
                           "Faktura_Nr_Koncowy, Id_Fakt, Faktura_Nr_Koncowy, Faktura_Rok_Koncowy, Lp_Koncowe, "
                         + cols + " from Faktura_Szczegoly where Id=?",
                     {id, i, ch.qty, net, vat, gross, nr, imageId, oldId});
            c().exec("insert into Faktura_Szczegoly (Id_Fakt, Lp, Lp_Z_Fakt, Ilosc, Wartosc_Netto, Kwota_Vat, "
                     "Wartosc_Brutto, "
                     "Faktura_Typ, Faktura_Nr, Faktura_Rok, Nr_Z_Fakt, Id_Z_Fakt, "
                         + cols
                         + ") select ?, ?, Lp, -Ilosc, "
                           "-Wartosc_Netto, -Kwota_Vat, -Wartosc_Brutto, 'KFVb', ?, 2011, Faktura_Nr_Koncowy, Id_Fakt, "
                         + cols + " from Faktura_Szczegoly where Id=?",
                     {id, i, nr, oldId});
            c().exec(
                "update Faktura_Szczegoly set Czy_Korekta=1, Faktura_Nr_Koncowy=0, Faktura_Rok_Koncowy=0, Id_Z_Fakt=0, "
                "Lp_Z_Fakt=0, Nr_Z_Fakt=0 where Id=?",
                {oldId});
        }
        c().exec("update Faktura set Wart_Netto=?, Wart_Brutto=? where Id=?",
                 {std::round(dNet * 100) / 100, std::round(dGross * 100) / 100, id});
    }

    // Note `id` (NFV `nr`/2011) giving invoice `invoiceId` a new buyer at a new address.
    void note(int id, int nr, int invoiceId, const char* buyer, const char* address)
    {
        c().exec(
            "insert into Faktury_Skorygowane (Typ, Nr, Rok, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Klient_Nr, "
            "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Nip, Klient_Kod, Klient_Miasto, Klient_Adres, "
            "Nr_Z_Fakt, Rok_Z_Fakt, Id_Z_Fakt, Forma_Zaplaty, Wart_Netto, Wart_Brutto, Typ_Koncowy, Rok_Koncowy, "
            "Nr_Koncowy, Netto_Brutto) select 'NFV', ?, '2011', '2011-05-01', Data_Sprzedarzy, Miejsce_Wyst, "
            "Klient_Nr, "
            "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Nip, Klient_Kod, Klient_Miasto, Klient_Adres, "
            "Nr_Koncowy, Rok_Koncowy, Id, Forma_Zaplaty, Wart_Netto, Wart_Brutto, Typ_Koncowy, Rok_Koncowy, "
            "Nr_Koncowy, Netto_Brutto from Faktura where Id=?",
            {nr, invoiceId});
        const qint64 imageId = c().scalar("select max(Id) from Faktury_Skorygowane").toLongLong();
        c().exec(
            "insert into Faktura (Id, Typ, Nr, Rok, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Klient_Nr, "
            "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Nip, Klient_Kod, Klient_Miasto, Klient_Adres, "
            "Nr_Z_Fakt, Rok_Z_Fakt, Id_Z_Fakt, Forma_Zaplaty, Wart_Netto, Wart_Brutto, Nr_Koncowy, Rok_Koncowy, "
            "Typ_Koncowy, Id_Fakt_Skoryg, Uwagi, Netto_Brutto) select ?, 'NFV', ?, '2011', '2011-05-01', "
            "Data_Sprzedarzy, Miejsce_Wyst, '', ?, '', '111-222-33-44', '30-001', 'Kraków', ?, Nr_Koncowy, "
            "Rok_Koncowy, Id, Forma_Zaplaty, Wart_Netto, Wart_Brutto, Nr_Koncowy, Rok_Koncowy, Typ_Koncowy, ?, "
            "'Zmiana nabywcy', Netto_Brutto from Faktura where Id=?",
            {id, nr, QString::fromUtf8(buyer), QString::fromUtf8(address), imageId, invoiceId});
        c().exec("update Faktura set Typ_Koncowy='', Rok_Koncowy='', Nr_Koncowy=0 where Id=?", {invoiceId});
    }

    // The whole text of a captured printout.
    QString printed(size_t entry) const
    {
        return entry < capture->entries().size() ? pdf::text(capture->entries()[entry].file) : QString();
    }

    TestDb db;
    ui::Script script;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<report::PdfCapture> capture;
};

// Whether every word of `words` is in `text` in that order (captions may wrap within their width).
inline bool hasWords(const QString& text, const QString& words)
{
    qsizetype at = 0;
    for (const QString& w : words.split(u' ', Qt::SkipEmptyParts)) {
        at = text.indexOf(w, at);
        if (at < 0)
            return false;
        at += w.size();
    }
    return true;
}

#pragma once
// What the three sales report forms share: the report on A4 landscape with its title band and
// page footer, the host's connection, the period of the call and the preview. The rows are read
// forward as the pages are laid out (report::SqlRowSource) and the pages wait for the preview in
// a temporary file, so a report over every year takes no more memory than one over a month.
#include "platform/report/Report.h"
#include "platform/report/SqlRowSource.h"

#include <QDate>
#include <QObject>
#include <QVariantList>

namespace data {
class Connection;
}

// A column of a layout: its caption in the header band and its field in the row band.
struct Kolumna {
    const char* naglowek;
    const char* pole;
    double x, szerokosc;
    report::Align wyrownanie;
    const char* maska;
    bool naglowekWSzerokosci; // the caption centred within the column's width (else left at x)
};

// The period of a report: both dates of the call, converted to dates as the desktop writes them.
struct Okres {
    QDate od, do_;
};

// The date a text of the call stands for; report::Error when it is no date.
QDate Data_Z_Tekstu(const QString& tekst);
Okres Okres_Z_Tekstow(const QString& od, const QString& do_);

class TSprzedaz_Form : public QObject {
public:
    // `stopkaStrony`: the prefix of the page number ("Strona " or "Strona").
    TSprzedaz_Form(QObject* owner, const QString& tytul, double wysokoscTytulu, bool liniaOkresu,
                   const QString& stopkaStrony);
    ~TSprzedaz_Form() override;

    report::Report QuickRep1;
    report::Label* QRLabel_Czas = nullptr; // "W okresie od ... do ..." (client and goods reports)

    // The report title, printed by the title band and naming the preview.
    void Ustaw_Tytul(const QString& tytul) { QuickRep1.title = tytul; }
    QString Tytul() const { return QuickRep1.title; }
    // The period line with the caller's texts as they were given.
    void Ustaw_Okres(const QString& od, const QString& do_);

    // Lays the report out into the modal preview and returns when the preview closes.
    void Pokaz();

protected:
    data::Connection* Polaczenie() const { return polaczenie_; }
    // Captions into `naglowek`, data texts of `zrodlo` into `wiersz`.
    static void Dodaj_Kolumny(report::Band* naglowek, report::Band* wiersz, report::RowSource* zrodlo,
                              const Kolumna* kolumny, int ile, const report::FontSpec& czcionkaNaglowka);
    // A field of `wiersz` given more room than its column (the free space beside it), so that a
    // long number or code prints in a readable size; its caption stays where it is.
    static void Poszerz_Pole(report::Band* wiersz, const QString& pole, double x, double szerokosc,
                             report::Align wyrownanie);
    // A rule across the page at the top of a band.
    void Kreska(report::Band* band) const;
    // "(ciąg dalszy)" in a group's header where it is repeated on a page its rows continue on.
    static void Znacznik_Ciagu(report::Band* band, double x, double y, const report::FontSpec& czcionka);

private:
    data::Connection* polaczenie_;
};

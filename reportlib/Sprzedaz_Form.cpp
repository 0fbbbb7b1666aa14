#include "reportlib/Sprzedaz_Form.h"

#include "platform/data/ProgramConnection.h"
#include "platform/report/Output.h"
#include "platform/text/Dates.h"
#include "platform/text/Numbers.h"

using report::Align;
using report::BandKind;
using report::pt;

QDate Data_Z_Tekstu(const QString& tekst)
{
    if (tekst.trimmed().isEmpty())
        throw report::Error(QStringLiteral("Nie podano daty okresu raportu."));
    const QDate d = text::textToDate(tekst);
    if (!d.isValid())
        throw report::Error(QStringLiteral("„%1” nie jest poprawną datą.").arg(text::quotedExcerpt(tekst)));
    return d;
}

Okres Okres_Z_Tekstow(const QString& od, const QString& do_) { return Okres{Data_Z_Tekstu(od), Data_Z_Tekstu(do_)}; }

TSprzedaz_Form::TSprzedaz_Form(QObject* owner, const QString& tytul, double wysokoscTytulu, bool liniaOkresu,
                               const QString& stopkaStrony)
    : QObject(owner), polaczenie_(&data::programConnection())
{
    report::Report& r = QuickRep1;
    r.page = report::PageSetup::a4(report::PageOrientation::Landscape, 12.7);
    r.baseFont = QStringLiteral("Arial Unicode MS");
    r.title = tytul;
    const double szerokosc = r.page.bodyWidth();

    report::Band* t = r.setBand(BandKind::Title, wysokoscTytulu);
    t->addExpr(QStringLiteral("QRSysData_Tytul"), 0, 0, szerokosc, Align::Center, pt(18),
               [](const report::LayoutContext& ctx) { return ctx.title; });
    if (liniaOkresu)
        QRLabel_Czas = t->addLabel(QStringLiteral("QRLabel_Czas"), 0, 9.8, QString(), pt(10), Align::Center, szerokosc);

    report::Band* f = r.setBand(BandKind::PageFooter, 8.5);
    f->addExpr(
        QStringLiteral("QRSysData_Strona"), szerokosc, 2.1, 0, Align::Right, pt(8),
        [stopkaStrony](const report::LayoutContext& ctx) { return stopkaStrony + QString::number(ctx.pageNumber); });
    f->addLabel(QStringLiteral("QRLabel_Stopka"), szerokosc / 2, 2.1,
                QStringLiteral("Wydrukowano z programu Orlimek - Tarnex"), pt(8), Align::Center);
}

TSprzedaz_Form::~TSprzedaz_Form() = default;

void TSprzedaz_Form::Ustaw_Okres(const QString& od, const QString& do_)
{
    if (QRLabel_Czas)
        QRLabel_Czas->setText(QStringLiteral("W okresie od ") + od + QStringLiteral(" do ") + do_);
}

void TSprzedaz_Form::Pokaz() { report::preview(QuickRep1, QuickRep1.title); }

void TSprzedaz_Form::Dodaj_Kolumny(report::Band* naglowek, report::Band* wiersz, report::RowSource* zrodlo,
                                   const Kolumna* kolumny, int ile, const report::FontSpec& czcionkaNaglowka)
{
    for (int i = 0; i < ile; ++i) {
        const Kolumna& k = kolumny[i];
        const QString pole = QString::fromUtf8(k.pole);
        if (naglowek) {
            const QString tekst = QString::fromUtf8(k.naglowek);
            if (k.naglowekWSzerokosci) // a word wider than the column ("Stawka") a little smaller
                naglowek
                    ->addLabel(QStringLiteral("Naglowek_") + pole, k.x, 0.5, tekst, czcionkaNaglowka, Align::Center,
                               k.szerokosc)
                    ->shrinkToFit = true;
            else
                naglowek->addLabel(QStringLiteral("Naglowek_") + pole, k.x, 0.5, tekst, czcionkaNaglowka);
        }
        // A name that wraps grows its row; a number or code too wide for its column prints smaller.
        report::asCell(wiersz->addData(QStringLiteral("QRDBText_") + pole, k.x, 0.5, k.szerokosc, k.wyrownanie, pt(8),
                                       zrodlo, pole, QString::fromUtf8(k.maska)));
    }
}

void TSprzedaz_Form::Poszerz_Pole(report::Band* wiersz, const QString& pole, double x, double szerokosc,
                                  report::Align wyrownanie)
{
    if (auto* t = dynamic_cast<report::DataText*>(wiersz->find(QStringLiteral("QRDBText_") + pole))) {
        t->x = x;
        t->width = szerokosc;
        t->align = wyrownanie;
    }
}

void TSprzedaz_Form::Znacznik_Ciagu(report::Band* band, double x, double y, const report::FontSpec& czcionka)
{
    report::Label* l =
        band->addLabel(QStringLiteral("QRLabel_Ciag_Dalszy"), x, y, QStringLiteral("(ciąg dalszy)"), czcionka);
    l->onlyWhenContinued = true;
    l->stretch = true;
}

void TSprzedaz_Form::Kreska(report::Band* band) const
{
    band->addLine(QStringLiteral("Kreska"), 0, 0.3, QuickRep1.page.bodyWidth(), 0.3);
}

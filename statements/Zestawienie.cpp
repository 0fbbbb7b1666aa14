#include "statements/Zestawienie.h"

#include "statements/Kontrolki.h"

#include "documents/Document.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace statements {

Zestawienie::Zestawienie(Ustawienia_Zestawienia u, QWidget* parent) : QWidget(parent), u_(std::move(u))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(u_.nazwa);
    setWindowTitle(u_.tytul);

    Glowna = Tabela_Do_Odczytu(this, u_.nazwaTabeli, u_.tabela, u_.indeks, u_.filtr);
    DataSource_Glowna = Zrodlo(this, Glowna);
    ADOTable_Faktura_Szczegol = Tabela_Do_Odczytu(this, QStringLiteral("ADOTable_Faktura_Szczegol"),
                                                  QStringLiteral("Faktura_Szczegoly"), u_.indeksSzczegolow);
    ADOTable_Faktura_Szczegol->setMasterSource(DataSource_Glowna, u_.klucz);
    DataSource_Szczegol = Zrodlo(this, ADOTable_Faktura_Szczegol);

    ADOQuery_Suma = new data::Query(this);
    ADOQuery_Suma->setObjectName(QStringLiteral("ADOQuery_Suma"));
    ADOQuery_Suma->setConnection(Glowna->connection());
    DataSource_Suma = Zrodlo(this, ADOQuery_Suma);

    auto* kolumna = new QVBoxLayout(this);
    JvDBUltimGrid1 = Siatka(this, QStringLiteral("JvDBUltimGrid1"), u_.kolumny, DataSource_Glowna);
    kolumna->addWidget(JvDBUltimGrid1, 3);

    Pasek = new dictionaries::SortSearchBar(u_.pasek, this);
    Pasek->setDataset([this]() -> data::Dataset* { return Glowna; });
    Podpisz_Sortowanie(Pasek, u_.podpisSortu);
    kolumna->addWidget(Pasek);

    JvDBUltimGrid2 = Siatka(this, QStringLiteral("JvDBUltimGrid2"), u_.kolumnySzczegolow, DataSource_Szczegol);
    kolumna->addWidget(JvDBUltimGrid2, 2);

    auto* dol = new QHBoxLayout;
    auto* pola = new QGridLayout;
    for (int i = 0; i < int(u_.sumy.size()); ++i) {
        const Pole_Sumy& p = u_.sumy[size_t(i)];
        auto* etykieta = new QLabel(p.etykieta, this);
        auto* e = new ui::DbEdit(this);
        e->setObjectName(p.nazwa);
        e->setAccessibleName(p.etykieta);
        e->setReadOnly(true);
        e->setDataField(p.pole);
        e->setDataSource(DataSource_Suma);
        e->setDisplayFormat([ilosc = p.ilosc](const QVariant& v) { return Tekst_Sumy(v, ilosc); });
        etykieta->setBuddy(e);
        pola->addWidget(etykieta, 0, i);
        pola->addWidget(e, 1, i);
        sumy_.push_back(e);
    }
    dol->addLayout(pola);
    dol->addStretch(1);
    Zamknij = new QPushButton(u_.napisZamknij, this);
    Zamknij->setObjectName(u_.nazwaZamknij);
    Zamknij->setAutoDefault(false);
    dol->addWidget(Zamknij, 0, Qt::AlignBottom);
    kolumna->addLayout(dol);

    ui::on(Zamknij, &QPushButton::clicked, this, [this] { close(); });
    ui::on(Glowna, &data::Dataset::currentChanged, this, &Zestawienie::AfterScroll);
    resize(u_.obszar);

    // FormCreate: the master first (its first row becomes current and its sums are read), then
    // the lines.
    if (Glowna->connection()) {
        Glowna->open();
        ADOTable_Faktura_Szczegol->open();
    }
}

Zestawienie::~Zestawienie()
{
    ADOTable_Faktura_Szczegol->close();
    ADOQuery_Suma->close();
    Glowna->close();
}

ui::DbEdit* Zestawienie::Suma(const QString& nazwa) const
{
    for (ui::DbEdit* e : sumy_)
        if (e->objectName() == nazwa)
            return e;
    return nullptr;
}

void Zestawienie::AfterScroll()
{
    const bool wiersz = Glowna->isActive() && Glowna->recNo() > 0;
    // A new sort order read the rows again: the cursor goes back to the row it was on.
    if (wiersz && !klucz_.isNull() && Glowna->indexFieldNames() != porzadek_) {
        porzadek_ = Glowna->indexFieldNames();
        if (Glowna->fieldByName(u_.klucz).value() != klucz_ && Glowna->locate(u_.klucz, klucz_))
            return; // landing there runs this again
    }
    porzadek_ = Glowna->indexFieldNames();
    klucz_ = wiersz ? Glowna->fieldByName(u_.klucz).value() : QVariant();
    Przelicz_Sumy();
}

QString Tekst_Sumy(const QVariant& suma, bool ilosc)
{
    // A sum of stored amounts carries the binary noise of its terms ("5215,17000000001").
    const double v = suma.toDouble();
    return ilosc ? text::formatQuantity(v) : documents::Money::fromValue(v).text();
}

void Czytaj_Sumy(data::Query& suma, const QString& sql, const QString& klucz)
{
    suma.close();
    suma.setSql(sql);
    suma.addBindValue(klucz);
    suma.open();
}

void Zestawienie::Przelicz_Sumy()
{
    if (klucz_.isNull()) {
        ADOQuery_Suma->close(); // no row: the sum fields stay empty
        return;
    }
    Czytaj_Sumy(*ADOQuery_Suma, u_.sqlSumy, klucz_.toString());
}

void Zestawienie::closeEvent(QCloseEvent* e)
{
    if (u_.przyZamknieciu)
        u_.przyZamknieciu();
    QWidget::closeEvent(e);
}

} // namespace statements

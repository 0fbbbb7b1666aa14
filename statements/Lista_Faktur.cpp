#include "statements/Lista_Faktur.h"

#include "dictionaries/Konfiguracja.h"
#include "documents/FormControls.h"
#include "documents/Form_Drukuj_Duplikat.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "platform/data/Connection.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/WindowFit.h"
#include "platform/ui/Modal.h"
#include "shell/MainForm.h"
#include "statements/Kontrolki.h"
#include "statements/Nawigacja.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace statements {

QString Filtr_Dokumentow(const QString& warunek, const Typy_Dokumentow& typy)
{
    const std::pair<bool, const char*> pola[] = {
        {typy.FV, "FV"}, {typy.KFV, "KFV"}, {typy.PFV, "PFV"}, {typy.NFV, "NFV"}};
    QString filtr = warunek;
    bool pierwszy = true;
    for (const auto& [zaznaczony, typ] : pola) {
        if (!zaznaczony)
            continue;
        const QString term = QStringLiteral(" and Typ=") + data::quote(QString::fromLatin1(typ));
        filtr += pierwszy ? term : QStringLiteral(" or (") + warunek + term + QLatin1Char(')');
        pierwszy = false;
    }
    return filtr;
}

QString Warunek_Roku(const QString& rok)
{
    if (rok.isEmpty() || rok == QLatin1String("%"))
        return QStringLiteral("Rok>0");
    return QStringLiteral("Rok=") + data::quote(rok);
}

QString Warunek_Okresu(const QDate& od, const QDate& do_)
{
    return QStringLiteral("data_wyst>=") + data::quote(od) + QStringLiteral(" and data_wyst<=") + data::quote(do_);
}

namespace {
// The document grid. The by-period list shows Nr before Rok, "Nr z FV" / "Rok z FV" and a
// right-aligned duplicate date.
std::vector<ui::DbColumn> kolumnyDokumentow(bool wgRoku)
{
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    const auto prawo = Qt::AlignRight | Qt::AlignVCenter;
    const ui::DbColumn rok{s("Rok"), {}, 40}, nr{s("Nr"), {}, 40};
    std::vector<ui::DbColumn> k{
        {s("Typ"), {}, 40},
        wgRoku ? rok : nr,
        wgRoku ? nr : rok,
        {s("Data_Wyst"), s("Data wystawienia"), 105},
        {s("Data_Sprzedarzy"), s("Data sprzedaży"), 95},
        {s("Klient_Nr"), s("Nr Klienta"), 65},
        {s("Klient_Nazwa_Nazwisko"), s("Nazwa / Nazwisko, imię"), 200},
        {s("Klient_Nazwa_Nazwisko_cd"), s("Nazwa / Nazwisko, imię cd."), 200},
        {s("Klient_Nip"), s("NIP"), 80},
        {s("Klient_Kod"), s("Kod"), 50},
        {s("Klient_Miasto"), s("Miasto"), 150},
        {s("Klient_Adres"), s("Adres (ulica, nr domu)"), 200},
        {s("Wart_Netto"), s("Wartość netto"), 90},
        {s("Wart_Brutto"), s("Wartość brutto"), 90},
        {s("Nazwa"), s("Forma zapłaty"), 100},
        {s("Data_Zaplaty"), s("Data zapłaty"), 90},
        {s("Nr_z_Fakt"), wgRoku ? s("Nr FV") : s("Nr z FV"), 90},
        {s("Rok_z_Fakt"), wgRoku ? s("Rok FV") : s("Rok z FV"), 95},
        {s("Czy_Duplikat"), s("Czy duplikat?"), 82},
        {s("Data_Duplikatu"), s("Data duplikatu"), 90},
        {s("Netto_Brutto"), s("Wyliczana od"), wgRoku ? 85 : 80},
    };
    if (!wgRoku)
        k[19].alignment = prawo;
    return k;
}

std::vector<ui::DbColumn> kolumnyPozycji()
{
    return {
        {QStringLiteral("Lp"), QString(), 45},
        {QStringLiteral("Towary_Symbol"), QStringLiteral("Symbol"), 80},
        {QStringLiteral("Towary_Nazwa"), QStringLiteral("Nazwa towaru/usługi"), 180},
        {QStringLiteral("Towary_Nazwa_cd"), QStringLiteral("Nazwa towaru/usługi cd."), 180},
        {QStringLiteral("PKWiU"), QString(), 80},
        {QStringLiteral("Jm"), QStringLiteral("J.m."), 65},
        {QStringLiteral("Towary_Cena"), QStringLiteral("Cena netto"), 65},
        {QStringLiteral("Towary_Cena_Brutto"), QStringLiteral("Cena jedn. brutto"), 110},
        {QStringLiteral("Ilosc"), QStringLiteral("Ilość"), 65},
        {QStringLiteral("Rabat"), QStringLiteral("Rabat %"), 65},
        {QStringLiteral("Wartosc_Netto"), QStringLiteral("Wartość netto"), 90},
        {QStringLiteral("Towary_Vat_Opis"), QStringLiteral("Stawka VAT"), 80},
        {QStringLiteral("Kwota_Vat"), QStringLiteral("Kwota VAT"), 80},
        {QStringLiteral("Wartosc_Brutto"), QStringLiteral("Wartość brutto"), 100},
    };
}

QCheckBox* pole(QWidget* okno, const char* nazwa, const QString& napis, bool zaznaczone)
{
    auto* c = new QCheckBox(napis, okno);
    c->setObjectName(QLatin1String(nazwa));
    c->setChecked(zaznaczone);
    return c;
}
} // namespace

Ustawienia_Listy_Faktur Ustawienia_Listy(bool wgRoku)
{
    if (wgRoku)
        return {QStringLiteral("Form_Lista_Faktur_Wg_Roku"),
                QStringLiteral("Lista faktur w roku ..."),
                QSize(862, 624),
                true,
                QStringLiteral("typ;rok;nr"),
                QStringLiteral("ADOTable_Szczegoly"),
                QStringLiteral("Button1")};
    // The by-period list keeps the saved query's own order: the order the documents were written in.
    return {QStringLiteral("Form_Lista_Faktur_W_Okresie"),
            QStringLiteral("Lista faktur w okresie czasu"),
            QSize(862, 644),
            false,
            QStringLiteral("Id"),
            QStringLiteral("ADOTable_Faktura_Szczegoly"),
            QStringLiteral("BitBtn_Zamknij")};
}

Lista_Faktur::Lista_Faktur(bool wgRoku, QWidget* parent) : QWidget(parent), u_(Ustawienia_Listy(wgRoku))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(u_.nazwa);
    setWindowTitle(u_.tytul);

    // Closed until the first "Pokaż".
    ADOTable_Faktura = new data::Table(this);
    ADOTable_Faktura->setObjectName(QStringLiteral("ADOTable_Faktura"));
    ADOTable_Faktura->setTableName(QStringLiteral("Faktura_Kwerenda"));
    ADOTable_Faktura->setReadOnly(true);
    ADOTable_Faktura->setIndexFieldNames(u_.porzadek);
    ADOTable_Faktura->setConnection(dictionaries::polaczenie());
    DataSource_Faktura = Zrodlo(this, ADOTable_Faktura);

    Szczegoly =
        Tabela_Do_Odczytu(this, u_.nazwaSzczegolow, QStringLiteral("Faktura_Szczegoly"), QStringLiteral("Id_Fakt;lp"));
    Szczegoly->setMasterSource(DataSource_Faktura, QStringLiteral("Id"));
    DataSource_Szczegoly = Zrodlo(this, Szczegoly);

    auto* kolumna = new QVBoxLayout(this);
    wybor_ = new QHBoxLayout;
    JvCheckBox_FV = pole(this, "JvCheckBox_FV", QStringLiteral("FV"), true);
    JvCheckBox_KFV = pole(this, "JvCheckBox_KFV", QStringLiteral("KFV"), true);
    JvCheckBox_PFV = pole(this, "JvCheckBox_PFV", QStringLiteral("PFV"), false);
    JvCheckBox_NFV = pole(this, "JvCheckBox_NFV", QStringLiteral("NFV"), false);
    BitBtn_Pokaz = new QPushButton(QStringLiteral("Pokaż"), this);
    BitBtn_Pokaz->setObjectName(QStringLiteral("BitBtn_Pokaz"));
    for (QWidget* w : {static_cast<QWidget*>(JvCheckBox_FV), static_cast<QWidget*>(JvCheckBox_KFV),
                       static_cast<QWidget*>(JvCheckBox_PFV), static_cast<QWidget*>(JvCheckBox_NFV)})
        wybor_->addWidget(w);
    wybor_->addSpacing(16);
    wybor_->addWidget(BitBtn_Pokaz);
    wybor_->addStretch(1);
    kolumna->addLayout(wybor_);

    JvDBUltimGrid1 = Siatka(this, QStringLiteral("JvDBUltimGrid1"), kolumnyDokumentow(u_.wgRoku), DataSource_Faktura);
    Skoki_Klawiszami(JvDBUltimGrid1);
    kolumna->addWidget(JvDBUltimGrid1, 3);

    auto* etykiety = new QHBoxLayout;
    Label_Korekta = new QLabel(this);
    Label_Korekta->setObjectName(QStringLiteral("Label_Korekta"));
    Label_Duplikat = new QLabel(this);
    Label_Duplikat->setObjectName(QStringLiteral("Label_Duplikat"));
    etykiety->addWidget(Label_Korekta);
    etykiety->addSpacing(24);
    etykiety->addWidget(Label_Duplikat);
    etykiety->addStretch(1);
    kolumna->addLayout(etykiety);

    JvDBUltimGrid2 = Siatka(this, QStringLiteral("JvDBUltimGrid2"), kolumnyPozycji(), DataSource_Szczegoly);
    kolumna->addWidget(JvDBUltimGrid2, 2);

    // The labels follow the current document through these two hidden fields.
    DBEdit1 = new ui::DbEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2 = new ui::DbEdit(this);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    for (ui::DbEdit* e : {DBEdit1, DBEdit2}) {
        e->setReadOnly(true);
        e->hide();
    }
    ui::on(DBEdit1, &QLineEdit::textChanged, this, &Lista_Faktur::DBEdit1Change);
    ui::on(DBEdit2, &QLineEdit::textChanged, this, &Lista_Faktur::DBEdit2Change);
    DBEdit1->setDataField(QStringLiteral("Czy_Korekta"));
    DBEdit2->setDataField(QStringLiteral("Czy_Duplikat"));
    DBEdit1->setDataSource(DataSource_Faktura);
    DBEdit2->setDataSource(DataSource_Faktura);

    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    BitBtn_Drukuj_Duplikat = new QPushButton(QStringLiteral("Drukuj duplikat"), this);
    BitBtn_Drukuj_Duplikat->setObjectName(QStringLiteral("BitBtn_Drukuj_Duplikat"));
    BitBtn_Drukuj = new QPushButton(QStringLiteral("Drukuj"), this);
    BitBtn_Drukuj->setObjectName(QStringLiteral("BitBtn_Drukuj"));
    Zamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    Zamknij->setObjectName(u_.nazwaZamknij);
    for (QPushButton* b : {BitBtn_Drukuj_Duplikat, BitBtn_Drukuj, Zamknij}) {
        b->setAutoDefault(false);
        przyciski->addWidget(b);
    }
    kolumna->addLayout(przyciski);

    Label_Korekta->clear();
    Label_Duplikat->clear();

    ui::on(BitBtn_Pokaz, &QPushButton::clicked, this, &Lista_Faktur::BitBtn_PokazClick);
    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &Lista_Faktur::BitBtn_DrukujClick);
    ui::on(BitBtn_Drukuj_Duplikat, &QPushButton::clicked, this, &Lista_Faktur::BitBtn_Drukuj_DuplikatClick);
    ui::on(Zamknij, &QPushButton::clicked, this, [this] { close(); });
    resize(u_.obszar);
}

Lista_Faktur::~Lista_Faktur()
{
    // The lines are a detail of the documents: unlinked first, so that closing the documents
    // reaches no half-destroyed window.
    Szczegoly->close();
    ADOTable_Faktura->close();
}

void Lista_Faktur::kolejnosc(std::initializer_list<QWidget*> wlasne)
{
    // The window opens on the first of its own fields, created after the type boxes.
    if (wlasne.size() > 0)
        ui::setFirstInput(this, *wlasne.begin());
    QWidget* poprzedni = nullptr;
    auto dalej = [&](QWidget* w) {
        if (poprzedni)
            setTabOrder(poprzedni, w);
        poprzedni = w;
    };
    for (QWidget* w : wlasne)
        dalej(w);
    for (QWidget* w : {static_cast<QWidget*>(JvCheckBox_FV), static_cast<QWidget*>(JvCheckBox_KFV),
                       static_cast<QWidget*>(JvCheckBox_PFV), static_cast<QWidget*>(JvCheckBox_NFV),
                       static_cast<QWidget*>(BitBtn_Pokaz), static_cast<QWidget*>(JvDBUltimGrid1),
                       static_cast<QWidget*>(JvDBUltimGrid2), static_cast<QWidget*>(BitBtn_Drukuj_Duplikat),
                       static_cast<QWidget*>(BitBtn_Drukuj), static_cast<QWidget*>(Zamknij)})
        dalej(w);
}

Typy_Dokumentow Lista_Faktur::Typy() const
{
    return {JvCheckBox_FV->isChecked(), JvCheckBox_KFV->isChecked(), JvCheckBox_PFV->isChecked(),
            JvCheckBox_NFV->isChecked()};
}

void Lista_Faktur::BitBtn_PokazClick()
{
    const QString filtr = Filtr_Dokumentow(Warunek(), Typy());
    // Closed first: a filter changed on an open list would read it again at once.
    Szczegoly->close();
    ADOTable_Faktura->close();
    if (!ADOTable_Faktura->connection()) {
        ADOTable_Faktura->setConnection(dictionaries::polaczenie());
        Szczegoly->setConnection(dictionaries::polaczenie());
    }
    ADOTable_Faktura->setFilter(filtr);
    ADOTable_Faktura->setFiltered(true);
    ADOTable_Faktura->open();
    Szczegoly->open();
}

bool Lista_Faktur::jestDokument() const { return ADOTable_Faktura->isActive() && ADOTable_Faktura->recNo() > 0; }

void Lista_Faktur::BitBtn_DrukujClick()
{
    if (!jestDokument() || !Form_Drukuj_Fakt)
        return;
    data::Dataset& d = *ADOTable_Faktura;
    Form_Drukuj_Fakt->Edit_Id->setText(d.fieldByName(QStringLiteral("Id")).asString());
    Form_Drukuj_Fakt->Edit_Wyroznik->setText(d.fieldByName(QStringLiteral("Typ")).asString());
    Form_Drukuj_Fakt->Edit_Netto_Brutto->setText(d.fieldByName(QStringLiteral("Netto_Brutto")).asString());
    Form_Drukuj_Fakt->Edit_Duplikat->clear();
    ui::showModal(Form_Drukuj_Fakt);
}

void Lista_Faktur::BitBtn_Drukuj_DuplikatClick()
{
    if (!jestDokument() || !Form_Drukuj_Duplikat)
        return;
    data::Dataset& d = *ADOTable_Faktura;
    Form_Drukuj_Duplikat->Edit_Id->setText(d.fieldByName(QStringLiteral("Id")).asString());
    Form_Drukuj_Duplikat->LEdit_Nr->setText(d.fieldByName(QStringLiteral("Nr")).asString());
    Form_Drukuj_Duplikat->LEdit_Typ->setText(d.fieldByName(QStringLiteral("Typ")).asString());
    Form_Drukuj_Duplikat->LEdit_Rok->setText(d.fieldByName(QStringLiteral("Rok")).asString());
    Form_Drukuj_Duplikat->Edit_Netto_Brutto->setText(d.fieldByName(QStringLiteral("Netto_Brutto")).asString());
    ui::showModal(Form_Drukuj_Duplikat);
}

void Lista_Faktur::DBEdit1Change()
{
    Label_Korekta->setText(DBEdit1->text() == QLatin1String("True") ? QStringLiteral("Wystawiono korektę") : QString());
}

void Lista_Faktur::DBEdit2Change()
{
    Label_Duplikat->setText(DBEdit2->text() == QLatin1String("True") ? QStringLiteral("Wystawiono duplikat")
                                                                     : QString());
}

void Lista_Faktur::closeEvent(QCloseEvent* e)
{
    if (MainForm)
        u_.wgRoku ? MainForm->Ustaw_Czy_Lista_Faktur_Wg_Roku(false) : MainForm->Ustaw_Czy_Lista_Faktur_W_Okresie(false);
    QWidget::closeEvent(e);
}

} // namespace statements

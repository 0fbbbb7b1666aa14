#include "corrections/Form_Faktura_Nota.h"
#include "shell/Form_Jaki_Nr.h"

#include "corrections/Form_Do_Noty.h"
#include "corrections/WindowParts.h"
#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "dictionaries/PickTargets.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/FormControls.h"
#include "documents/InvoiceCheck.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/Modal.h"
#include "platform/ui/WindowFit.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

TForm_Faktura_Nota* Form_Faktura_Nota = nullptr;

using namespace corrections;
using documents::button;
using documents::labeledEdit;

TForm_Faktura_Nota::TForm_Faktura_Nota(QWidget* parent) : QWidget(parent)
{
    documents::documentWindowFrame(this, "Form_Faktura_Nota", QStringLiteral("Nota korygująca"), {686, 660});

    // The note's own identity.
    const documents::IdentityRow id = documents::identityRow(this, "LEdit_Typ", 22, QStringLiteral("Data wystawienia"));
    LEdit_Typ = id.typ;
    LEdit_Nr = id.nr;
    LEdit_Rok = id.rok;
    LEdit_Data_Wyst = id.dataWyst;
    BitBtn_Pobierz = button(this, "BitBtn_Pobierz", QStringLiteral("Pobierz dokument"), {546, 18, 132, 28});

    // The invoice being corrected: its final identity and its old header.
    ADOTable_Faktura = ownTable(this, "ADOTable_Faktura", "Faktura");
    DataSource_Faktura = new data::DataSource(this);
    DataSource_Faktura->setDataset(ADOTable_Faktura);
    const InvoiceHeader h = invoiceHeader(
        this, DataSource_Faktura,
        {.typ = {"DBEdit_Typ", QStringLiteral("Typ"), {8, 74, 40, 22}},
         .nr = {"DBEdit_Nr", QStringLiteral("Nr"), {56, 74, 60, 22}},
         .rok = {"DBEdit_Rok", QStringLiteral("Rok"), {124, 74, 50, 22}},
         .dataWyst = {"DBEdit_Data_Wyst", QStringLiteral("Data wystawienia"), {182, 74, 100, 22}},
         .dataSprzedazy = {"DBEdit_Data_Sprzedazy", QStringLiteral("Data sprzedaży"), {290, 74, 170, 22}},
         .miejsceWyst = {"DBEdit_Miejsce_Wyst", QStringLiteral("Miejsce wystawienia"), {468, 74, 210, 22}},
         .nazwa = {"DBEdit_Nazwa", QStringLiteral("Nazwa / Nazwisko, imię"), {8, 118, 330, 22}},
         .nazwaCd = {"DBEdit_Nazwa_cd", QStringLiteral("Nazwa / Nazwisko, imię cd."), {346, 118, 332, 22}},
         .nrKlienta = {"DBEdit_Nr_Klienta", QStringLiteral("Nr Klienta"), {8, 162, 80, 22}},
         .nip = {"DBEdit_NIP", QStringLiteral("NIP"), {96, 162, 130, 22}},
         .czyFirma = {"DBCBox_Czy_Firma", QStringLiteral("Czy firma ?"), {234, 162, 100, 22}},
         .kod = {"DBEdit_Kod", QStringLiteral("Kod"), {8, 206, 80, 22}},
         .miasto = {"DBEdit_Miasto", QStringLiteral("Miasto"), {96, 206, 170, 22}},
         .adres = {"DBEdit_Adres", QStringLiteral("Adres (ulica, nr domu)"), {274, 206, 260, 22}},
         .nettoBrutto = {"DBEdit_Netto_Brutto", QString(), {}},
         .id = {"DBEdit_Id", QString(), {}}});
    DBEdit_Typ = h.typ;
    DBEdit_Nr = h.nr;
    DBEdit_Rok = h.rok;
    DBEdit_Data_Wyst = h.dataWyst;
    DBEdit_Data_Sprzedazy = h.dataSprzedazy;
    DBEdit_Miejsce_Wyst = h.miejsceWyst;
    DBEdit_Nazwa = h.nazwa;
    DBEdit_Nazwa_cd = h.nazwaCd;
    DBEdit_Nr_Klienta = h.nrKlienta;
    DBEdit_NIP = h.nip;
    DBCBox_Czy_Firma = h.czyFirma;
    DBEdit_Kod = h.kod;
    DBEdit_Miasto = h.miasto;
    DBEdit_Adres = h.adres;
    DBEdit_Id = h.id;
    DBEdit_Netto_Brutto = h.nettoBrutto;

    // The new buyer.
    LEdit_Nazwa = labeledEdit(this, "LEdit_Nazwa", QStringLiteral("Nazwa / Nazwisko, imię"), {8, 274, 330, 22}, 75);
    LEdit_Nazwa_cd =
        labeledEdit(this, "LEdit_Nazwa_cd", QStringLiteral("Nazwa / Nazwisko, imię cd."), {346, 274, 332, 22}, 75);
    CBox_Czy_Firma = new QCheckBox(QStringLiteral("Czy firma ?"), this);
    CBox_Czy_Firma->setObjectName(QStringLiteral("CBox_Czy_Firma"));
    QFont bold = CBox_Czy_Firma->font();
    bold.setBold(true);
    CBox_Czy_Firma->setFont(bold);
    CBox_Czy_Firma->setGeometry(8, 318, 100, 22);
    LEdit_NIP = labeledEdit(this, "LEdit_NIP", QStringLiteral("NIP"), {116, 318, 130, 22}, 16);
    BitBtn_Pobierz_Klienta =
        button(this, "BitBtn_Pobierz_Klienta", QStringLiteral("Pobierz Klienta"), {546, 314, 132, 28});
    LEdit_Kod = labeledEdit(this, "LEdit_Kod", QStringLiteral("Kod"), {8, 362, 80, 22}, 15);
    LEdit_Miasto = labeledEdit(this, "LEdit_Miasto", QStringLiteral("Miasto"), {96, 362, 170, 22}, 30);
    LEdit_Adres = labeledEdit(this, "LEdit_Adres", QStringLiteral("Adres (ulica, nr domu)"), {274, 362, 260, 22}, 50);
    LEdit_Nr_Klienta = documents::hiddenEdit(this, "LEdit_Nr_Klienta");
    LEdit_Nr_Klienta->setAccessibleName(QStringLiteral("Nr Klienta"));

    JvMemo1 = new documents::MemoEdit(3, this);
    JvMemo1->setObjectName(QStringLiteral("JvMemo1"));
    JvMemo1->setGeometry(8, 414, 670, 60);
    documents::setCaption(JvMemo1, QStringLiteral("Uwagi :"));
    Edit_Id_Noty = documents::hiddenEdit(this, "Edit_Id_Noty");

    BitBtn_Zapisz = button(this, "BitBtn_Zapisz", QStringLiteral("Zapisz"), {8, 620, 110, 30});
    BitBtn_Drukuj = button(this, "BitBtn_Drukuj", QStringLiteral("Drukuj"), {126, 620, 110, 30});
    BitBtn_Nowa = button(this, "BitBtn_Nowa", QStringLiteral("Nowa"), {244, 620, 110, 30});
    BitBtn_Anuluj = button(this, "BitBtn_Anuluj", QStringLiteral("Anuluj / Zamknij"), {548, 620, 130, 30});

    ui::on(BitBtn_Pobierz, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_PobierzClick);
    ui::on(BitBtn_Pobierz_Klienta, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_Pobierz_KlientaClick);
    ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_ZapiszClick);
    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_DrukujClick);
    ui::on(BitBtn_Nowa, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_NowaClick);
    ui::on(BitBtn_Anuluj, &QPushButton::clicked, this, &TForm_Faktura_Nota::BitBtn_AnulujClick);

    documents::tabChain({BitBtn_Pobierz, BitBtn_Pobierz_Klienta, LEdit_Nazwa, LEdit_Nazwa_cd, CBox_Czy_Firma, LEdit_NIP,
                         LEdit_Kod, LEdit_Miasto, LEdit_Adres, JvMemo1, BitBtn_Zapisz, BitBtn_Drukuj, BitBtn_Nowa,
                         BitBtn_Anuluj, LEdit_Rok, LEdit_Data_Wyst});

    // The note's own client pick writes into this window.
    dictionaries::Ustaw_Blok_Klienta(QStringLiteral("NFV"), this, dictionaries::blokKlienta(this));

    Wyczysc_Dokument(QString(), QString());
}

TForm_Faktura_Nota::~TForm_Faktura_Nota()
{
    if (Form_Faktura_Nota == this)
        Form_Faktura_Nota = nullptr;
}

void TForm_Faktura_Nota::Wyczysc_Dokument(const QString& data, const QString& rok)
{
    LEdit_Typ->setText(QStringLiteral("NFV"));
    LEdit_Nr->clear();
    LEdit_Rok->setText(rok);
    LEdit_Data_Wyst->setText(data);
    for (QLineEdit* e :
         {LEdit_Nazwa, LEdit_Nazwa_cd, LEdit_Nr_Klienta, LEdit_NIP, LEdit_Kod, LEdit_Miasto, LEdit_Adres})
        e->clear();
    JvMemo1->clear();
    CBox_Czy_Firma->setChecked(false);
    ADOTable_Faktura->close();
    BitBtn_Zapisz->setEnabled(true);
    BitBtn_Drukuj->setEnabled(false);
}

void TForm_Faktura_Nota::BitBtn_PobierzClick()
{
    if (!Form_Do_Noty)
        return;
    Form_Do_Noty->Przygotuj(ui::today().year(), this);
    ui::showModal(Form_Do_Noty);
}

void TForm_Faktura_Nota::Wstaw_Fakture(const documents::Identity& koncowa)
{
    ADOTable_Faktura->close();
    ADOTable_Faktura->setFilter(QStringLiteral("Typ_Koncowy=%1 and Rok_Koncowy=%2 and Nr_Koncowy=%3")
                                    .arg(data::quote(koncowa.typ), data::quote(koncowa.rok), data::quote(koncowa.nr)));
    ADOTable_Faktura->setFiltered(true);
    ADOTable_Faktura->open();
    Zapamietaj_Fakture(ADOTable_Faktura->recNo() > 0 ? ADOTable_Faktura->fieldByName(QStringLiteral("Id")).asLargeInt()
                                                     : 0);
}

void TForm_Faktura_Nota::BitBtn_Pobierz_KlientaClick()
{
    if (Form_Lista_Klientow_Pob_Nota)
        ui::showModal(Form_Lista_Klientow_Pob_Nota);
}

void TForm_Faktura_Nota::Pokaz_Blad(const Blad& b)
{
    Pokaz_Komunikat(b.message);
    using P = corrections::Pole;
    QWidget* pole = b.field == P::Data_Wyst ? LEdit_Data_Wyst
        : b.field == P::Rok                 ? LEdit_Rok
        : b.field == P::Pobierz             ? static_cast<QWidget*>(BitBtn_Pobierz)
        : b.field == P::Nazwa               ? LEdit_Nazwa
        : b.field == P::NIP                 ? LEdit_NIP
                                            : LEdit_Kod;
    pole->setFocus();
}

void TForm_Faktura_Nota::BitBtn_ZapiszClick()
{
    NotaEntry e;
    e.dataWyst = LEdit_Data_Wyst->text();
    e.rok = LEdit_Rok->text();
    e.typFaktury = DBEdit_Typ->text();
    e.nrFaktury = DBEdit_Nr->text();
    e.nazwa = LEdit_Nazwa->text();
    e.czyFirma = CBox_Czy_Firma->isChecked();
    e.nip = LEdit_NIP->text();
    e.kod = LEdit_Kod->text();
    e.miasto = LEdit_Miasto->text();
    e.adres = LEdit_Adres->text();
    if (const auto b = checkNota(e)) {
        Pokaz_Blad(*b);
        return;
    }
    if (!DataModule1) {
        Pokaz_Komunikat(QStringLiteral("Brak połączenia z bazą danych.\nNota nie została zapisana."));
        return;
    }

    documents::Document nota;
    nota.own.rok = e.rok;
    nota.dataWyst = documents::readDate(e.dataWyst).value_or(QDate());
    nota.buyer = documents::Buyer{
        LEdit_Nr_Klienta->text(), e.nazwa, LEdit_Nazwa_cd->text(), e.czyFirma, e.nip, e.kod, e.miasto, e.adres};
    nota.uwagi = JvMemo1->text();

    documents::DocumentStore store(*DataModule1->ADOConnection1);
    store.setStepHook(Krok_Zapisu);
    const qint64 id = ADOTable_Faktura->isActive() && ADOTable_Faktura->recNo() > 0
        ? ADOTable_Faktura->fieldByName(QStringLiteral("Id")).asLargeInt()
        : 0;
    // The invoice as the window took it: the store refuses it when it changed meanwhile.
    const documents::Document faktura = Wybrana_Faktura(id);
    const documents::SaveOutcome wynik = store.saveNote(nota, faktura, &Zapytaj_O_Pierwszy_Numer);
    if (wynik.status == documents::SaveOutcome::Status::Cancelled)
        return;
    if (!wynik.saved()) {
        Pokaz_Komunikat(wynik.error);
        return;
    }
    LEdit_Nr->setText(QString::number(wynik.nr));
    Edit_Id_Noty->setText(QString::number(wynik.id));
    // The note is stored; the shared tables are read again for the other windows and the pickers.
    if (data::Table* t = DataModule1->ADOTable_Faktura; t && t->isActive())
        t->refresh();
    if (data::Table* t = DataModule1->ADOTable_Faktura_Korekta; t && t->isActive()) {
        t->close();
        t->open();
    }
    BitBtn_Drukuj->setEnabled(true);
    BitBtn_Zapisz->setEnabled(false);
}

void TForm_Faktura_Nota::BitBtn_DrukujClick()
{
    if (Edit_Id_Noty->text().isEmpty() || LEdit_Typ->text().isEmpty() || !Form_Drukuj_Fakt)
        return;
    // A note prints the same in either price mode: none is set.
    Form_Drukuj_Fakt->Drukuj_Dokument_O_Id(Edit_Id_Noty->text(), LEdit_Typ->text(), QString());
}

void TForm_Faktura_Nota::BitBtn_NowaClick()
{
    if (!corrections::mayDiscard(BitBtn_Zapisz))
        return;
    Wyczysc_Dokument(todayText(), QString::number(ui::today().year()));
}

void TForm_Faktura_Nota::BitBtn_AnulujClick() { closeWindow(this); }

void TForm_Faktura_Nota::closeEvent(QCloseEvent* e)
{
    if (keepOpen(this, BitBtn_Zapisz, e))
        return;
    if (MainForm)
        MainForm->Ustaw_Czy_Faktura_Nota(false);
    e->accept();
}

bool TForm_Faktura_Nota::mayDiscard() { return corrections::mayDiscard(BitBtn_Zapisz); }

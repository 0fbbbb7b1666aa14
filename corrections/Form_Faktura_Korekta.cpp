#include "corrections/Form_Faktura_Korekta.h"
#include "documents/AmountColumns.h"
#include "shell/Form_Jaki_Nr.h"

#include "corrections/Form_Do_Korekty.h"
#include "corrections/Form_Korekta_Pozycja.h"
#include "corrections/WindowParts.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/FormControls.h"
#include "documents/InvoiceCheck.h"
#include "documents/LineGrid.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/Modal.h"
#include "platform/ui/WindowFit.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm_Faktura_Korekta* Form_Faktura_Korekta = nullptr;

using namespace corrections;
using documents::button;
using documents::labeledEdit;

namespace {

QLabel* heading(QWidget* parent, const QString& text, const QPoint& at)
{
    auto* l = new QLabel(text, parent);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->move(at);
    l->adjustSize();
    return l;
}

} // namespace

TForm_Faktura_Korekta::TForm_Faktura_Korekta(QWidget* parent) : QWidget(parent)
{
    documents::documentWindowFrame(this, "Form_Faktura_Korekta", QStringLiteral("Korekta faktury"), {680, 622});

    // The correction's own identity.
    const documents::IdentityRow id =
        documents::identityRow(this, "LEdit_Wyroznik", 22, QStringLiteral("Data wystawienia (rrrr-mm-dd)"));
    LEdit_Wyroznik = id.typ;
    LEdit_Nr = id.nr;
    LEdit_Rok = id.rok;
    LEdit_Data_Wyst = id.dataWyst;
    Button1 = button(this, "Button1", QStringLiteral("Pobierz dokument"), {540, 18, 132, 28});

    // The invoice to correct, as the picker positioned the window's own table on it.
    ADOTable_Faktura = ownTable(this, "ADOTable_Faktura", "Faktura");
    DataSource_Faktura = new data::DataSource(this);
    DataSource_Faktura->setDataset(ADOTable_Faktura);
    ADOTable_Faktura_Szczegol = ownTable(this, "ADOTable_Faktura_Szczegol", "Faktura_Szczegoly");
    // The writers' order; lines sharing an Lp (a correction's new line and its reversal) by place.
    ADOTable_Faktura_Szczegol->setIndexFieldNames(
        QStringLiteral("Faktura_Nr_Koncowy;Faktura_Rok_Koncowy;lp;Lp_Koncowe;Id"));
    ADOTable_Faktura_Szczegol->setMasterSource(DataSource_Faktura, QStringLiteral("Nr_Koncowy;Rok_Koncowy"),
                                               QStringLiteral("Faktura_Nr_Koncowy;Faktura_Rok_Koncowy"));
    DataSource_Faktura_Szczegol = new data::DataSource(this);
    DataSource_Faktura_Szczegol->setDataset(ADOTable_Faktura_Szczegol);

    // Compact enough to show whole, with three rows in each line grid, on a 1280x720 screen: the
    // block's heading beside the correction's own identity, the price mode on the line of the
    // old lines' heading.
    heading(this, QStringLiteral("Dane do korekty"), {392, 26});
    const InvoiceHeader h = invoiceHeader(
        this, DataSource_Faktura,
        {.typ = {"DBEdit_Wyroznik", QStringLiteral("Typ"), {8, 66, 40, 22}},
         .nr = {"DBEdit_Numer", QStringLiteral("Nr"), {56, 66, 60, 22}},
         .rok = {"DBEdit_Rok", QStringLiteral("Rok"), {124, 66, 50, 22}},
         .dataWyst = {"DBEdit_Data_Wyst", QStringLiteral("Data wyst."), {182, 66, 90, 22}},
         .dataSprzedazy = {"DBEdit_Data_Sprzedarzy", QStringLiteral("Data sprzed."), {280, 66, 120, 22}},
         .miejsceWyst = {"DBEdit_Miejsce_Wyst", QStringLiteral("Miejsce wytawienia"), {408, 66, 264, 22}},
         .nazwa = {"DBEdit_Nazwa", QStringLiteral("Nazwa / Nazwisko, imię"), {8, 110, 328, 22}},
         .nazwaCd = {"DBEdit_Nazwa_cd", QStringLiteral("Nazwa / Nazwisko, imię cd."), {344, 110, 328, 22}},
         .nrKlienta = {"DBEdit_Nr_Klienta", QString(), {}},
         .nip = {"DBEdit_NIP", QStringLiteral("NIP"), {452, 154, 110, 22}},
         .czyFirma = {"DBCBox_Czy_Firma", QStringLiteral("Czy firma ?"), {570, 154, 102, 22}},
         .kod = {"DBEdit_Kod", QStringLiteral("Kod"), {8, 154, 70, 22}},
         .miasto = {"DBEdit_Miasto", QStringLiteral("Miasto"), {86, 154, 150, 22}},
         .adres = {"DBEdit_Adres", QStringLiteral("Adres (ulica, nr domu)"), {244, 154, 200, 22}},
         .nettoBrutto = {"DBEdit_Netto_Brutto", QStringLiteral("Dokument wyliczany od :"), {464, 186, 80, 22}},
         .id = {"DBEdit_Id", QString(), {}}});
    DBEdit_Wyroznik = h.typ;
    DBEdit_Numer = h.nr;
    DBEdit_Rok = h.rok;
    DBEdit_Data_Wyst = h.dataWyst;
    DBEdit_Data_Sprzedarzy = h.dataSprzedazy;
    DBEdit_Miejsce_Wyst = h.miejsceWyst;
    DBEdit_Nazwa = h.nazwa;
    DBEdit_Nazwa_cd = h.nazwaCd;
    DBEdit_Kod = h.kod;
    DBEdit_Miasto = h.miasto;
    DBEdit_Adres = h.adres;
    DBEdit_NIP = h.nip;
    DBCBox_Czy_Firma = h.czyFirma;
    DBEdit_Netto_Brutto = h.nettoBrutto;
    if (QLabel* l = documents::captionOf(DBEdit_Netto_Brutto)) { // before its field, on the grid's heading line
        l->setGeometry(256, 190, 200, l->height());
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    DBEdit_Id = h.id;
    DBEdit_Nr_Klienta = h.nrKlienta;

    heading(this, QStringLiteral("Pozycje : Było"), {8, 188});
    DBGrid_Faktura_Szcz = new ui::DbGrid(this);
    DBGrid_Faktura_Szcz->setObjectName(QStringLiteral("DBGrid_Faktura_Szcz"));
    DBGrid_Faktura_Szcz->setColumns(documents::amountColumns({
        {QStringLiteral("Lp_Koncowe"), QStringLiteral("Lp"), 35},
        {QStringLiteral("Towary_Symbol"), QStringLiteral("Symbol"), 75},
        {QStringLiteral("Towary_Nazwa"), QStringLiteral("Nazwa"), 150},
        {QStringLiteral("Towary_Nazwa_cd"), QStringLiteral("Nazwa cd"), 150},
        {QStringLiteral("PKWiU"), QStringLiteral("PKWiU"), 65},
        {QStringLiteral("Ilosc"), QStringLiteral("Ilość"), 60},
        {QStringLiteral("Jm"), QStringLiteral("J.m."), 45},
        {QStringLiteral("Towary_Cena"), QStringLiteral("Cena netto"), 70},
        {QStringLiteral("Towary_Cena_Brutto"), QStringLiteral("Cena brutto"), 70},
        {QStringLiteral("Towary_Vat_Opis"), QStringLiteral("Vat"), 50},
        {QStringLiteral("Rabat"), QStringLiteral("Rabat"), 55},
        {QStringLiteral("Wartosc_Netto"), QStringLiteral("Wartość Netto"), 90},
        {QStringLiteral("Kwota_Vat"), QStringLiteral("Kwota Vat"), 65},
        {QStringLiteral("Wartosc_Brutto"), QStringLiteral("Wartość Brutto"), 90},
    }));
    DBGrid_Faktura_Szcz->setDataSource(DataSource_Faktura_Szczegol);
    DBGrid_Faktura_Szcz->setGeometry(8, 208, 664, 104);
    // Each grid's button on the line of its heading.
    BitBtn1 = button(this, "BitBtn1", QStringLiteral("Koryguj pozcję"), {552, 182, 120, 24});
    BitBtn2 = button(this, "BitBtn2", QStringLiteral("Usuń pozycję"), {552, 316, 120, 24});

    heading(this, QStringLiteral("Pozycje : winno być"), {8, 322});
    StringGrid1 = new documents::LineGrid(KolumnyKorekty, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 342, 664, 100);
    rows_ = std::make_unique<CorrectionRows>(StringGrid1->lines());
    StringGrid1->setColumnWidths(correctionGridWidths());

    // Payment, remarks, sums.
    ADOTable_Forma_Zap = ownTable(this, "ADOTable_Forma_Zap", "Forma_Zaplaty");
    DataSource_Forma_Zap = new data::DataSource(this);
    DataSource_Forma_Zap->setDataset(ADOTable_Forma_Zap);
    DBLookupComboBox1 = lookupCombo(this, "DBLookupComboBox1", QStringLiteral("Sposób zapłaty"), DataSource_Forma_Zap,
                                    "Nazwa", {8, 466, 120, 22});
    DBEdit_Forma_Zap = boundEdit(this, "DBEdit_Forma_Zap", QString(), DataSource_Forma_Zap, "Id", {});
    LEdit_Ilosc_Dni = labeledEdit(this, "LEdit_Ilosc_Dni", QStringLiteral("Liczba dni"), {136, 466, 50, 22});
    BitBtn3 = button(this, "BitBtn3", QStringLiteral("Oblicz"), {194, 463, 60, 28});
    LEdit_Data_Zap =
        labeledEdit(this, "LEdit_Data_Zap", QStringLiteral("Data zapłaty (rrrr-mm-dd)"), {262, 466, 90, 22}, 10);
    // The sums under the payment, the remarks beside both.
    LEdit_Suma_Netto = labeledEdit(this, "LEdit_Suma_Netto", QStringLiteral("Suma netto"), {8, 512, 130, 22});
    LEdit_Suma_Brutto = labeledEdit(this, "LEdit_Suma_Brutto", QStringLiteral("Suma brutto"), {146, 512, 130, 22});
    for (QLineEdit* e : {LEdit_Suma_Netto, LEdit_Suma_Brutto}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    JvMemo1 = new documents::MemoEdit(3, this);
    JvMemo1->setObjectName(QStringLiteral("JvMemo1"));
    JvMemo1->setGeometry(448, 466, 224, 68);
    documents::setCaption(JvMemo1, QStringLiteral("Uwagi :"));
    DBEdit_New_Id = documents::hiddenEdit(this, "DBEdit_New_Id");

    BitBtn_Zapisz = button(this, "BitBtn_Zapisz", QStringLiteral("Zapisz"), {440, 550, 110, 28});
    BitBtn_Drukuj = button(this, "BitBtn_Drukuj", QStringLiteral("Drukuj"), {562, 550, 110, 28});
    BitBtn_Nowa = button(this, "BitBtn_Nowa", QStringLiteral("Nowa korekta"), {440, 586, 110, 28});
    BitBtn_Zamknij = button(this, "BitBtn_Zamknij", QStringLiteral("Anuluj / Zamknij"), {562, 586, 110, 28});

    ui::on(Button1, &QPushButton::clicked, this, &TForm_Faktura_Korekta::Button1Click);
    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn1Click);
    ui::on(BitBtn2, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn2Click);
    ui::on(DBLookupComboBox1, &ui::DbLookupCombo::closeUp, this, &TForm_Faktura_Korekta::DBLookupComboBox1CloseUp);
    ui::on(BitBtn3, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn3Click);
    ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn_ZapiszClick);
    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn_DrukujClick);
    ui::on(BitBtn_Nowa, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn_NowaClick);
    ui::on(BitBtn_Zamknij, &QPushButton::clicked, this, &TForm_Faktura_Korekta::BitBtn_ZamknijClick);

    documents::tabChain({LEdit_Rok, LEdit_Data_Wyst, Button1, DBGrid_Faktura_Szcz, BitBtn1, BitBtn2, StringGrid1,
                         DBLookupComboBox1, LEdit_Ilosc_Dni, BitBtn3, LEdit_Data_Zap, JvMemo1, BitBtn_Zapisz,
                         BitBtn_Drukuj, BitBtn_Nowa, BitBtn_Zamknij});
    // Shorter than designed, the window scrolls: its two line grids keep their rows in sight, and
    // its own buttons stay in a row under what scrolls.
    ui::scrollAsWhole(this, {BitBtn_Zapisz, BitBtn_Drukuj, BitBtn_Nowa}, {BitBtn_Zamknij});

    Wyczysc_Dokument(QString(), QString());
    FormCreate();
}

TForm_Faktura_Korekta::~TForm_Faktura_Korekta()
{
    if (Form_Faktura_Korekta == this)
        Form_Faktura_Korekta = nullptr;
}

void TForm_Faktura_Korekta::FormCreate()
{
    try {
        ADOTable_Forma_Zap->open();
    } catch (const data::Error& e) {
        // The window opens anyway; the save asks for a payment kind that cannot be chosen.
        ui::showMessage(e.message());
    }
}

qint64 TForm_Faktura_Korekta::Id_Faktury() const
{
    if (!ADOTable_Faktura->isActive() || ADOTable_Faktura->recNo() <= 0)
        return 0;
    return ADOTable_Faktura->fieldByName(QStringLiteral("Id")).asLargeInt();
}

void TForm_Faktura_Korekta::Pokaz_Sumy()
{
    LEdit_Suma_Netto->setText(rows_->sumaNetto().text());
    LEdit_Suma_Brutto->setText(rows_->sumaBrutto().text());
}

QWidget* TForm_Faktura_Korekta::Pole_Bledu(corrections::Pole p) const
{
    using P = corrections::Pole;
    switch (p) {
    case P::Data_Wyst: return LEdit_Data_Wyst;
    case P::Rok: return LEdit_Rok;
    case P::Pobierz: return Button1;
    case P::Koryguj: return BitBtn1;
    case P::Forma_Zaplaty: return DBLookupComboBox1;
    case P::Data_Zap: return LEdit_Data_Zap;
    default: return LEdit_Ilosc_Dni;
    }
}

void TForm_Faktura_Korekta::Pokaz_Blad(const Blad& b)
{
    Pokaz_Komunikat(b.message);
    Pole_Bledu(b.field)->setFocus();
}

void TForm_Faktura_Korekta::Button1Click()
{
    if (!Form_Do_Korekty)
        return;
    Form_Do_Korekty->Przygotuj(ui::today().year(), this);
    ui::showModal(Form_Do_Korekty);
}

void TForm_Faktura_Korekta::Wstaw_Fakture(const documents::Identity& koncowa)
{
    const qint64 poprzednia = Id_Faktury();
    ADOTable_Faktura_Szczegol->close();
    ADOTable_Faktura->close();
    ADOTable_Faktura->open();
    const bool jest = !koncowa.isEmpty()
        && ADOTable_Faktura->locate(QStringLiteral("Typ_Koncowy;Rok_Koncowy;Nr_Koncowy"),
                                    QVariantList{koncowa.typ, koncowa.rok, koncowa.nr}, {.caseInsensitive = true});
    if (jest)
        ADOTable_Faktura_Szczegol->open();
    else
        ADOTable_Faktura->close(); // no invoice: the save's check stops it
    Zapamietaj_Fakture(Id_Faktury());
    // Lines corrected for one invoice must never be saved against another.
    if (Id_Faktury() != poprzednia) {
        rows_->clear();
        Pokaz_Sumy();
    }
}

void TForm_Faktura_Korekta::BitBtn1Click()
{
    data::Table* linie = ADOTable_Faktura_Szczegol;
    if (!linie->isActive() || linie->recNo() <= 0 || !Form_Korekta_Pozycja || !DataModule1)
        return;
    const int miejsce = linie->fieldByName(QStringLiteral("Lp_Koncowe")).asInteger();
    if (rows_->contains(miejsce)) {
        Pokaz_Komunikat(QStringLiteral("Ta pozycja jest już poprawiona !"));
        return;
    }
    // The old line as the store reads it; a line no longer in the view cannot be corrected.
    const qint64 id = linie->fieldByName(QStringLiteral("Id")).asLargeInt();
    const documents::DocumentStore store(*DataModule1->ADOConnection1);
    const auto widok = store.viewLines(ADOTable_Faktura->fieldByName(QStringLiteral("Nr_Koncowy")).asLargeInt(),
                                       ADOTable_Faktura->fieldByName(QStringLiteral("Rok_Koncowy")).asInteger());
    for (const documents::DocumentLine& l : widok)
        if (l.id == id) {
            Form_Korekta_Pozycja->Ustaw_Pozycje(l, DBEdit_Netto_Brutto->text(), this);
            ui::showModal(Form_Korekta_Pozycja);
            return;
        }
}

void TForm_Faktura_Korekta::Dodaj_Pozycje_Korekty(const QStringList& cells, const documents::DocumentLine& before)
{
    rows_->append(cells, before);
    Pokaz_Sumy();
}

void TForm_Faktura_Korekta::BitBtn2Click()
{
    rows_->remove(StringGrid1->Row());
    Pokaz_Sumy();
}

void TForm_Faktura_Korekta::DBLookupComboBox1CloseUp()
{
    if (ADOTable_Forma_Zap->isActive())
        ADOTable_Forma_Zap->locate(QStringLiteral("Nazwa"), DBLookupComboBox1->keyValue(), {.caseInsensitive = true});
    const documents::PaymentChoice c =
        documents::choosePaymentKind(DBLookupComboBox1->currentText(), LEdit_Data_Wyst->text());
    LEdit_Ilosc_Dni->setText(c.iloscDni);
    if (c.dataZap)
        LEdit_Data_Zap->setText(*c.dataZap);
    if (c.failure)
        Pokaz_Komunikat(c.failure->message);
    if (c.focus)
        (*c.focus == documents::HeaderField::Data_Wyst ? LEdit_Data_Wyst : LEdit_Ilosc_Dni)->setFocus();
}

void TForm_Faktura_Korekta::BitBtn3Click()
{
    const auto r = documents::computeDueDate(LEdit_Data_Wyst->text(), LEdit_Ilosc_Dni->text());
    if (const auto* f = std::get_if<documents::HeaderFailure>(&r)) {
        Pokaz_Komunikat(f->message);
        (f->field == documents::HeaderField::Data_Wyst ? LEdit_Data_Wyst : LEdit_Ilosc_Dni)->setFocus();
        return;
    }
    LEdit_Data_Zap->setText(std::get<QString>(r));
}

void TForm_Faktura_Korekta::BitBtn_ZapiszClick()
{
    // The payment kind is the one the combo shows now, however it was chosen.
    const auto forma = paymentKindId(*ADOTable_Forma_Zap, DBLookupComboBox1->keyValue());
    KorektaEntry e;
    e.dataWyst = LEdit_Data_Wyst->text();
    e.rok = LEdit_Rok->text();
    e.typFaktury = DBEdit_Wyroznik->text();
    e.nrFaktury = DBEdit_Numer->text();
    e.lineCount = rows_->lineCount();
    e.formaZaplaty = forma ? DBLookupComboBox1->currentText() : QString();
    e.dataZap = LEdit_Data_Zap->text();
    e.iloscDni = LEdit_Ilosc_Dni->text();
    if (const auto b = checkKorekta(e)) {
        Pokaz_Blad(*b);
        return;
    }

    documents::Document k;
    k.own.rok = e.rok;
    k.dataWyst = documents::readDate(e.dataWyst).value_or(QDate());
    k.formaZaplaty = *forma;
    k.iloscDni = documents::readInteger(e.iloscDni).value_or(0);
    if (!e.dataZap.isEmpty())
        k.dataZaplaty = documents::readDate(e.dataZap);
    k.wartNetto = rows_->sumaNetto();
    k.wartBrutto = rows_->sumaBrutto();
    k.uwagi = JvMemo1->text();

    if (!DataModule1) {
        Pokaz_Komunikat(QStringLiteral("Brak połączenia z bazą danych.\nKorekta nie została zapisana."));
        return;
    }
    documents::DocumentStore store(*DataModule1->ADOConnection1);
    store.setStepHook(Krok_Zapisu);
    // The invoice as the window took it: the store refuses it when it changed meanwhile.
    const documents::Document faktura = Wybrana_Faktura(Id_Faktury());
    const documents::SaveOutcome wynik =
        store.saveCorrection(k, faktura, rows_->correctedLines(), &Zapytaj_O_Pierwszy_Numer);
    if (wynik.status == documents::SaveOutcome::Status::Cancelled)
        return;
    if (!wynik.saved()) {
        Pokaz_Komunikat(wynik.error);
        return;
    }
    LEdit_Nr->setText(QString::number(wynik.nr));
    DBEdit_New_Id->setText(QString::number(wynik.id));
    BitBtn_Drukuj->setEnabled(true);
    BitBtn_Zapisz->setEnabled(false);
}

void TForm_Faktura_Korekta::BitBtn_DrukujClick()
{
    if (DBEdit_New_Id->text().isEmpty() || LEdit_Wyroznik->text().isEmpty() || !Form_Drukuj_Fakt)
        return;
    Form_Drukuj_Fakt->Drukuj_Dokument_O_Id(DBEdit_New_Id->text(), LEdit_Wyroznik->text(), DBEdit_Netto_Brutto->text());
}

void TForm_Faktura_Korekta::BitBtn_NowaClick()
{
    if (!corrections::mayDiscard(BitBtn_Zapisz)) {
        setFocus();
        return;
    }
    Wyczysc_Dokument(todayText(), QString::number(ui::today().year()));
    // A new correction begins at the top, with "Pobierz dokument" in sight.
    ui::scrollToTop(this);
}

void TForm_Faktura_Korekta::Wyczysc_Dokument(const QString& data, const QString& rok)
{
    LEdit_Wyroznik->setText(QStringLiteral("KFV"));
    LEdit_Nr->clear();
    LEdit_Rok->setText(rok);
    LEdit_Data_Wyst->setText(data);
    ADOTable_Faktura_Szczegol->close();
    ADOTable_Faktura->close();
    rows_->clear();
    Pokaz_Sumy();
    LEdit_Ilosc_Dni->setText(QStringLiteral("0"));
    LEdit_Data_Zap->clear();
    JvMemo1->clear();
    BitBtn_Zapisz->setEnabled(true);
    BitBtn_Drukuj->setEnabled(false);
}

void TForm_Faktura_Korekta::BitBtn_ZamknijClick() { closeWindow(this); }

void TForm_Faktura_Korekta::closeEvent(QCloseEvent* e)
{
    if (keepOpen(this, BitBtn_Zapisz, e))
        return;
    Wyczysc_Dokument(QString(), QString());
    if (MainForm)
        MainForm->Ustaw_Czy_Faktura_Korekta(false);
    e->accept();
}

bool TForm_Faktura_Korekta::mayDiscard() { return corrections::mayDiscard(BitBtn_Zapisz); }

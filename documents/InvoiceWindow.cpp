#include "documents/InvoiceWindow.h"
#include "platform/ui/Connect.h"

#include "dictionaries/Form_Lista_Klientow_Pob.h"
#include "dictionaries/PickTargets.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/FormControls.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "documents/DocumentStore.h"
#include "documents/InvoiceTexts.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/MessageDialog.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"
#include "shell/Rejestr.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>


namespace documents {

namespace {} // namespace

InvoiceWindow::InvoiceWindow(const InvoiceKind& kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    // Each kind names the window itself.
    documentWindowFrame(this, "InvoiceWindow", kind_.caption, {837, 575});

    // Header.
    const IdentityRow id = identityRow(this, "LEdit_Wyroznik", 34, QStringLiteral("Data wystawienia\n(rrrr-mm-dd)"));
    LEdit_Wyroznik = id.typ;
    LEdit_Nr = id.nr;
    LEdit_Rok = id.rok;
    LEdit_Data_Wyst = id.dataWyst;
    LEdit_Data_Sprzedarzy =
        labeledEdit(this, "LEdit_Data_Sprzedarzy", QStringLiteral("Data sprzedaży"), {290, 34, 150, 22}, 50);
    LEdit_Miejsce_Wyst =
        labeledEdit(this, "LEdit_Miejsce_Wyst", QStringLiteral("Miejsce wystawienia"), {448, 34, 170, 22}, 50);

    CBox_Netto_Brutto = new QComboBox(this);
    CBox_Netto_Brutto->setObjectName(QStringLiteral("CBox_Netto_Brutto"));
    CBox_Netto_Brutto->addItems({QStringLiteral("netto"), QStringLiteral("brutto")});
    CBox_Netto_Brutto->setGeometry(632, 34, 100, 22);
    setCaption(CBox_Netto_Brutto, QStringLiteral("Faktura wyliczana od wart.:"));
    if (kind_.editing) {
        // The stored invoice's mode cannot change: it is shown, in bold, where the combo would be.
        CBox_Netto_Brutto->hide();
        captionOf(CBox_Netto_Brutto)->hide();
        Edit_Netto_Brutto =
            labeledEdit(this, "Edit_Netto_Brutto", QStringLiteral("Faktura wyliczana od wart.:"), {632, 34, 100, 22});
        Edit_Netto_Brutto->setReadOnly(true);
        Edit_Netto_Brutto->setFocusPolicy(Qt::NoFocus);
        QFont f = Edit_Netto_Brutto->font();
        f.setBold(true);
        Edit_Netto_Brutto->setFont(f);
        for (QLineEdit* e : {LEdit_Rok, LEdit_Data_Wyst})
            e->setReadOnly(true);
    }

    // Client block.
    LEdit_Nazwa = labeledEdit(this, "LEdit_Nazwa", QStringLiteral("Nazwa / Nazwisko, Imię"), {8, 84, 300, 22}, 75);
    LEdit_Nazwa_cd =
        labeledEdit(this, "LEdit_Nazwa_cd", QStringLiteral("Nazwa / Nazwisko, Imię cd."), {316, 84, 300, 22}, 75);
    LEdit_Nr_Klienta = labeledEdit(this, "LEdit_Nr_Klienta", QStringLiteral("Nr Klienta"), {624, 84, 80, 22});
    LEdit_Nr_Klienta->hide();
    captionOf(LEdit_Nr_Klienta)->hide();
    BitBtn_Pobierz = button(this, "BitBtn_Pobierz", QStringLiteral("Pobierz Klienta"), {712, 80, 117, 28});
    LEdit_Kod = labeledEdit(this, "LEdit_Kod", QStringLiteral("Kod"), {8, 132, 80, 22});
    limitTyping(LEdit_Kod, kind_.kodMaxLength);
    LEdit_Miasto = labeledEdit(this, "LEdit_Miasto", QStringLiteral("Miasto"), {96, 132, 170, 22}, 30);
    LEdit_Adres = labeledEdit(this, "LEdit_Adres", QStringLiteral("Adres (ulica, nr domu)"), {274, 132, 260, 22}, 50);
    LEdit_NIP = labeledEdit(this, "LEdit_NIP", QStringLiteral("NIP"), {542, 132, 130, 22}, 16);
    CBox_Czy_Firma = new QCheckBox(QStringLiteral("Czy firma?"), this);
    CBox_Czy_Firma->setObjectName(QStringLiteral("CBox_Czy_Firma"));
    QFont bold = CBox_Czy_Firma->font();
    bold.setBold(true);
    CBox_Czy_Firma->setFont(bold);
    CBox_Czy_Firma->setGeometry(684, 132, 120, 22);

    // Lines.
    StringGrid1 = new LineGrid(LineGridModel::InvoiceColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 166, 821, 220);
    BitBtn_Dodaj = button(this, "BitBtn_Dodaj", QStringLiteral("Dodaj pozyc."), {8, 394, 100, 28});
    BitBtn_Popraw = button(this, "BitBtn_Popraw", QStringLiteral("Popraw pozyc."), {116, 394, 100, 28});
    BitBtn_Usun = button(this, "BitBtn_Usun", QStringLiteral("Usuń pozyc."), {224, 394, 100, 28});
    LEdit_Suma_Netto = labeledEdit(this, "LEdit_Suma_Netto", QStringLiteral("Suma netto"), {569, 412, 120, 22});
    LEdit_Suma_Brutto = labeledEdit(this, "LEdit_Suma_Brutto", QStringLiteral("Suma brutto"), {709, 412, 120, 22});
    for (QLineEdit* e : {LEdit_Suma_Netto, LEdit_Suma_Brutto}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setText(text::formatAmount(0));
    }

    // Payment.
    ADOTable_Forma_Zap = new data::Table(this);
    ADOTable_Forma_Zap->setObjectName(QStringLiteral("ADOTable_Forma_Zap"));
    ADOTable_Forma_Zap->setTableName(QStringLiteral("Forma_Zaplaty"));
    DataSource_Forma_Zap = new data::DataSource(this);
    DataSource_Forma_Zap->setObjectName(QStringLiteral("DataSource_Forma_Zap"));
    DataSource_Forma_Zap->setDataset(ADOTable_Forma_Zap);

    DBLookupComboBox1 = new ui::DbLookupCombo(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(DataSource_Forma_Zap);
    DBLookupComboBox1->setKeyField(QStringLiteral("Nazwa"));
    DBLookupComboBox1->setListField(QStringLiteral("Nazwa"));
    DBLookupComboBox1->setGeometry(8, 470, 150, 22);
    setCaption(DBLookupComboBox1, QStringLiteral("Sposób zapłaty"));
    DBEdit_Forma = new ui::DbEdit(this);
    DBEdit_Forma->setObjectName(QStringLiteral("DBEdit_Forma"));
    DBEdit_Forma->setDataSource(DataSource_Forma_Zap);
    DBEdit_Forma->setDataField(QStringLiteral("Id"));
    DBEdit_Forma->setReadOnly(true);
    DBEdit_Forma->hide();
    LEdit_Ilosc_Dni = labeledEdit(this, "LEdit_Ilosc_Dni", QStringLiteral("Liczba dni"), {166, 470, 70, 22});
    LEdit_Ilosc_Dni->setText(QStringLiteral("0"));
    BitBtn1 = button(this, "BitBtn1", QStringLiteral("Oblicz"), {244, 467, 70, 28});
    LEdit_Data_Zap =
        labeledEdit(this, "LEdit_Data_Zap", QStringLiteral("Data zapłaty\n(rrrr-mm-dd)"), {322, 470, 100, 22}, 10);

    JvMemo1 = new MemoEdit(3, this);
    JvMemo1->setObjectName(QStringLiteral("JvMemo1"));
    JvMemo1->setGeometry(440, 456, 389, 58);
    setCaption(JvMemo1, QStringLiteral("Uwagi :"));

    DBEdit_Id = new QLineEdit(this);
    DBEdit_Id->setObjectName(QStringLiteral("DBEdit_Id"));
    DBEdit_Id->setReadOnly(true);
    DBEdit_Id->hide();

    BitBtn_Zapisz = button(this, "BitBtn_Zapisz", QStringLiteral("Zapisz"), {8, 535, 110, 30});
    BitBtn_Drukuj = button(this, "BitBtn_Drukuj", QStringLiteral("Drukuj"), {126, 535, 110, 30});
    BitBtn_Drukuj->setEnabled(false);
    BitBtn_Nowa = button(this, "BitBtn_Nowa", QStringLiteral("Nowa faktura"), {244, 535, 110, 30});
    BitBtn_Zamknij = button(this, "BitBtn_Zamknij", QStringLiteral("Anuluj / Zamknij"), {699, 535, 130, 30});

    ui::on(BitBtn_Pobierz, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_PobierzClick);
    ui::on(BitBtn_Dodaj, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_DodajClick);
    ui::on(BitBtn_Popraw, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_PoprawClick);
    ui::on(BitBtn_Usun, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_UsunClick);
    // Only the user's choice changes the layout; the program sets the index without it.
    ui::on(CBox_Netto_Brutto, &QComboBox::activated, this, &InvoiceWindow::CBox_Netto_BruttoChange);
    ui::on(DBLookupComboBox1, &ui::DbLookupCombo::closeUp, this, &InvoiceWindow::DBLookupComboBox1CloseUp);
    ui::on(BitBtn1, &QPushButton::clicked, this, &InvoiceWindow::BitBtn1Click);
    ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_ZapiszClick);
    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_DrukujClick);
    ui::on(BitBtn_Nowa, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_NowaClick);
    ui::on(BitBtn_Zamknij, &QPushButton::clicked, this, &InvoiceWindow::BitBtn_ZamknijClick);

    tabChain({LEdit_Rok,      LEdit_Data_Wyst, LEdit_Data_Sprzedarzy, LEdit_Miejsce_Wyst, CBox_Netto_Brutto,
              LEdit_Nazwa,    LEdit_Nazwa_cd,  BitBtn_Pobierz,        LEdit_Kod,          LEdit_Miasto,
              LEdit_Adres,    LEdit_NIP,       CBox_Czy_Firma,        StringGrid1,        BitBtn_Dodaj,
              BitBtn_Popraw,  BitBtn_Usun,     DBLookupComboBox1,     LEdit_Ilosc_Dni,    BitBtn1,
              LEdit_Data_Zap, JvMemo1,         BitBtn_Zapisz,         BitBtn_Drukuj,      BitBtn_Nowa,
              BitBtn_Zamknij});

    setLineTarget(kind_.typ, this);
    dictionaries::Ustaw_Blok_Klienta(kind_.typ, this, dictionaries::blokKlienta(this));

    FormCreate();
}

InvoiceWindow::~InvoiceWindow() { removeLineTarget(kind_.typ, this); }

void InvoiceWindow::FormCreate()
{
    if (!kind_.editing)
        Ustaw_Tryb_Z_Rejestru();
    try {
        if (DataModule1 && !ADOTable_Forma_Zap->connection())
            ADOTable_Forma_Zap->setConnection(DataModule1->ADOConnection1);
        ADOTable_Forma_Zap->open();
    } catch (const data::Error& e) {
        // The window opens anyway; the save asks for a payment kind that cannot be chosen.
        ui::showMessage(e.message());
    }
    Uloz_Siatke(Tryb(), false);
}

PriceMode InvoiceWindow::Tryb() const
{
    if (Edit_Netto_Brutto)
        return priceModeFromText(Edit_Netto_Brutto->text()).value_or(PriceMode::Netto);
    return CBox_Netto_Brutto->currentIndex() == 1 ? PriceMode::Brutto : PriceMode::Netto;
}

QString InvoiceWindow::Tryb_Tekst() const
{
    return Edit_Netto_Brutto ? Edit_Netto_Brutto->text() : CBox_Netto_Brutto->currentText();
}

void InvoiceWindow::Ustaw_Tryb_Z_Rejestru()
{
    const PriceMode mode =
        priceModeFromSetting(Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz_Ustawienia, QStringLiteral("Faktura_od")));
    CBox_Netto_Brutto->setCurrentIndex(priceModeIndex(mode));
}

void InvoiceWindow::Uloz_Siatke(PriceMode mode, bool poZmianie) { StringGrid1->layOutInvoice(mode, poZmianie); }

void InvoiceWindow::linesChanged()
{
    const LineGridModel& g = StringGrid1->lines();
    LEdit_Suma_Netto->setText(g.sumText(Col_Netto));
    LEdit_Suma_Brutto->setText(g.sumText(Col_Brutto));
    // The price mode can change only while the document has no lines.
    CBox_Netto_Brutto->setEnabled(!g.hasLines());
}

void InvoiceWindow::CBox_Netto_BruttoChange() { Uloz_Siatke(Tryb(), true); }

void InvoiceWindow::BitBtn_PobierzClick() { Pobierz_Klienta(kind_.typ); }

void InvoiceWindow::BitBtn_DodajClick() { Dodaj_Pozycje(kind_.typ, Tryb_Tekst()); }

void InvoiceWindow::BitBtn_PoprawClick()
{
    Popraw_Pozycje(kind_.typ, Tryb_Tekst(), StringGrid1->lines(), StringGrid1->Row());
}

void InvoiceWindow::BitBtn_UsunClick()
{
    StringGrid1->lines().removeLine(StringGrid1->Row());
    linesChanged();
}

QWidget* InvoiceWindow::Pole(HeaderField f) const
{
    switch (f) {
    case HeaderField::Data_Wyst: return LEdit_Data_Wyst;
    case HeaderField::Rok: return LEdit_Rok;
    case HeaderField::Data_Sprzedarzy: return LEdit_Data_Sprzedarzy;
    case HeaderField::Miejsce_Wyst: return LEdit_Miejsce_Wyst;
    case HeaderField::Nazwa: return LEdit_Nazwa;
    case HeaderField::NIP: return LEdit_NIP;
    case HeaderField::Kod: return LEdit_Kod;
    case HeaderField::Miasto: return LEdit_Miasto;
    case HeaderField::Adres: return LEdit_Adres;
    case HeaderField::Dodaj: return BitBtn_Dodaj;
    case HeaderField::Forma_Zaplaty: return DBLookupComboBox1;
    case HeaderField::Data_Zap: return LEdit_Data_Zap;
    case HeaderField::Ilosc_Dni: return LEdit_Ilosc_Dni;
    }
    return nullptr;
}

void InvoiceWindow::Pokaz_Blad(const HeaderFailure& f)
{
    if (f.plainDialog && kind_.plainEmptyDate)
        ui::showMessage(f.message);
    else
        Pokaz_Komunikat(f.message);
    if (QWidget* w = Pole(f.field))
        w->setFocus();
}

void InvoiceWindow::DBLookupComboBox1CloseUp()
{
    if (ADOTable_Forma_Zap->isActive())
        ADOTable_Forma_Zap->locate(QStringLiteral("Nazwa"), DBLookupComboBox1->keyValue(), {.caseInsensitive = true});
    const PaymentChoice c = choosePaymentKind(DBLookupComboBox1->currentText(), LEdit_Data_Wyst->text());
    LEdit_Ilosc_Dni->setText(c.iloscDni);
    if (c.failure) {
        Pokaz_Blad(*c.failure);
        return;
    }
    if (c.dataZap)
        LEdit_Data_Zap->setText(*c.dataZap);
    if (c.focus)
        Pole(*c.focus)->setFocus();
}

void InvoiceWindow::BitBtn1Click()
{
    const auto r = computeDueDate(LEdit_Data_Wyst->text(), LEdit_Ilosc_Dni->text());
    if (const auto* f = std::get_if<HeaderFailure>(&r)) {
        Pokaz_Blad(*f);
        return;
    }
    LEdit_Data_Zap->setText(std::get<QString>(r));
}

void InvoiceWindow::BitBtn_ZapiszClick()
{
    HeaderEntry h;
    h.dataWyst = LEdit_Data_Wyst->text();
    h.rok = LEdit_Rok->text();
    h.dataSprzedarzy = LEdit_Data_Sprzedarzy->text();
    h.miejsceWyst = LEdit_Miejsce_Wyst->text();
    h.nazwa = LEdit_Nazwa->text();
    h.czyFirma = CBox_Czy_Firma->isChecked();
    h.nip = LEdit_NIP->text();
    h.kod = LEdit_Kod->text();
    h.miasto = LEdit_Miasto->text();
    h.adres = LEdit_Adres->text();
    h.lineCount = StringGrid1->lines().lineCount();
    h.formaZaplaty = DBLookupComboBox1->currentText();
    h.dataZap = LEdit_Data_Zap->text();
    h.iloscDni = LEdit_Ilosc_Dni->text();
    if (const auto f = checkInvoiceHeader(h)) {
        Pokaz_Blad(*f);
        return;
    }

    const InvoiceDocument d = Teksty();

    const FirstNumberPrompt prompt = &Zapytaj_O_Pierwszy_Numer;

    if (!DataModule1 || !DataModule1->ADOConnection1) {
        Pokaz_Komunikat(QStringLiteral("Brak połączenia z bazą danych.\nFaktura nie została zapisana."));
        return;
    }
    DocumentStore store(*DataModule1->ADOConnection1);
    SaveOutcome wynik;
    try {
        wynik = Zapisz(store, toDocument(d, StringGrid1->lines()), prompt);
    } catch (const data::Error& e) {
        wynik.error = saveFailureText(QStringLiteral("faktury"), e.cause());
    }
    if (wynik.status == SaveOutcome::Status::Cancelled)
        return;
    if (wynik.status == SaveOutcome::Status::Failed) {
        Pokaz_Komunikat(wynik.error);
        return;
    }

    LEdit_Nr->setText(QString::number(wynik.nr));
    DBEdit_Id->setText(QString::number(wynik.id));
    // The document is stored; refreshing the shared tables is only for the other windows.
    try {
        for (data::Table* t : {DataModule1->ADOTable_Faktura, DataModule1->ADOTable_Faktura_Szczegoly})
            if (t && t->isActive())
                t->refresh();
    } catch (const data::Error& e) {
        ui::showMessage(e.message());
    }
    BitBtn_Zapisz->setEnabled(false);
    BitBtn_Dodaj->setEnabled(false);
    BitBtn_Popraw->setEnabled(false);
    BitBtn_Usun->setEnabled(false);
    BitBtn_Drukuj->setEnabled(true);
}

InvoiceDocument InvoiceWindow::Teksty() const
{
    InvoiceDocument d;
    d.typ = LEdit_Wyroznik->text();
    d.nr = LEdit_Nr->text();
    d.rok = LEdit_Rok->text();
    d.dataWyst = LEdit_Data_Wyst->text();
    d.dataSprzedarzy = LEdit_Data_Sprzedarzy->text();
    d.miejsceWyst = LEdit_Miejsce_Wyst->text();
    d.klientNr = LEdit_Nr_Klienta->text();
    d.nazwa = LEdit_Nazwa->text();
    d.nazwaCd = LEdit_Nazwa_cd->text();
    d.czyFirma = CBox_Czy_Firma->isChecked();
    d.nip = LEdit_NIP->text();
    d.kod = LEdit_Kod->text();
    d.miasto = LEdit_Miasto->text();
    d.adres = LEdit_Adres->text();
    d.sumaNetto = LEdit_Suma_Netto->text();
    d.sumaBrutto = LEdit_Suma_Brutto->text();
    d.formaZaplaty = DBEdit_Forma->text();
    d.dataZap = LEdit_Data_Zap->text();
    d.iloscDni = LEdit_Ilosc_Dni->text();
    d.uwagi = JvMemo1->text();
    d.mode = Tryb();
    return d;
}

SaveOutcome InvoiceWindow::Zapisz(DocumentStore& store, const Document& d, const FirstNumberPrompt& prompt)
{
    return store.saveNew(d, prompt);
}

void InvoiceWindow::BitBtn_DrukujClick()
{
    if (DBEdit_Id->text().isEmpty() || LEdit_Wyroznik->text().isEmpty())
        return;
    if (!Form_Drukuj_Fakt)
        return;
    Form_Drukuj_Fakt->Drukuj_Dokument_O_Id(DBEdit_Id->text(), LEdit_Wyroznik->text(), Tryb_Tekst());
}

void InvoiceWindow::BitBtn_NowaClick()
{
    const QDate dzis = ui::today();
    if (BitBtn_Zapisz->isEnabled() && Czy_Zachowac_Dokument())
        return;
    Wyczysc_Dokument(dzis.toString(QStringLiteral("yyyy-MM-dd")), QString::number(dzis.year()));
}

void InvoiceWindow::Wyczysc_Dokument(const QString& data, const QString& rok)
{
    LEdit_Nr->clear();
    LEdit_Rok->setText(rok);
    LEdit_Data_Wyst->setText(data);
    LEdit_Data_Sprzedarzy->clear();
    LEdit_Miejsce_Wyst->setText(Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz_Ustawienia, QStringLiteral("Miejsce_Wyst")));
    LEdit_Nazwa->clear();
    LEdit_Nazwa_cd->clear();
    LEdit_Nr_Klienta->clear();
    LEdit_NIP->clear();
    CBox_Czy_Firma->setChecked(false);
    LEdit_Kod->clear();
    LEdit_Miasto->clear();
    LEdit_Adres->clear();
    if (!kind_.editing)
        Ustaw_Tryb_Z_Rejestru();
    // The grid follows the restored mode, as it does when the window opens.
    Uloz_Siatke(Tryb(), false);
    StringGrid1->lines().clearLines();
    LEdit_Data_Zap->clear();
    linesChanged();
    LEdit_Ilosc_Dni->setText(QStringLiteral("0"));
    JvMemo1->clear();
    DBLookupComboBox1->clearValue();
    BitBtn_Zapisz->setEnabled(true);
    BitBtn_Dodaj->setEnabled(true);
    BitBtn_Popraw->setEnabled(true);
    BitBtn_Usun->setEnabled(true);
    BitBtn_Drukuj->setEnabled(false);
}

bool InvoiceWindow::Mozna_Porzucic() { return !BitBtn_Zapisz->isEnabled() || !Czy_Zachowac_Dokument(); }

void InvoiceWindow::BitBtn_ZamknijClick()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void InvoiceWindow::closeEvent(QCloseEvent* e)
{
    if (!Mozna_Porzucic()) {
        e->ignore();
        activateWindow();
        setFocus();
        return;
    }
    Wyczysc_Dokument(QString(), QString());
    e->accept();
}

} // namespace documents

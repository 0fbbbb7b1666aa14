#include "corrections/Form_Korekta_Pozycja.h"

#include "corrections/CorrectionCheck.h"
#include "corrections/CorrectionRows.h"
#include "corrections/CorrectionTarget.h"
#include "corrections/WindowParts.h"
#include "documents/FormControls.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/WindowFit.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"

#include <QLineEdit>
#include <QPushButton>

TForm_Korekta_Pozycja* Form_Korekta_Pozycja = nullptr;

using namespace corrections;
using documents::labeledEdit;

TForm_Korekta_Pozycja::TForm_Korekta_Pozycja(QWidget* owner)
    : ui::Dialog(owner,
                 Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                     | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form_Korekta_Pozycja"));
    setWindowTitle(QStringLiteral("Pozycja do korekty..."));
    setModal(true);
    setFixedSize(560, 250);

    LEdit_Lp = labeledEdit(this, "LEdit_Lp", QStringLiteral("Lp"), {16, 30, 50, 22});
    LEdit_Towar_Symbol = labeledEdit(this, "LEdit_Towar_Symbol", QStringLiteral("Symbol"), {80, 30, 160, 22});
    LEdit_Towar_Nazwa =
        labeledEdit(this, "LEdit_Towar_Nazwa", QStringLiteral("Nazwa towaru / usługi"), {16, 80, 260, 22});
    LEdit_Towar_Nazwa_cd =
        labeledEdit(this, "LEdit_Towar_Nazwa_cd", QStringLiteral("Nazwa towaru / usługi cd."), {286, 80, 260, 22});
    for (QLineEdit* e : {LEdit_Lp, LEdit_Towar_Symbol, LEdit_Towar_Nazwa, LEdit_Towar_Nazwa_cd}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    LEdit_Towar_PKWIU = labeledEdit(this, "LEdit_Towar_PKWIU", QStringLiteral("PKWiU"), {254, 30, 130, 22}, 20);
    LEdit_Ilosc = labeledEdit(this, "LEdit_Ilosc", QStringLiteral("Ilość"), {16, 134, 80, 22});
    LEdit_jm = labeledEdit(this, "LEdit_jm", QStringLiteral("J.m."), {106, 134, 60, 22});
    LEdit_Cena = labeledEdit(this, "LEdit_Cena", QStringLiteral("Cena netto"), {176, 134, 90, 22});
    LEdit_Cena_Brutto = labeledEdit(this, "LEdit_Cena_Brutto", QStringLiteral("Cena brutto"), {276, 134, 90, 22});
    LEdit_Rabat = labeledEdit(this, "LEdit_Rabat", QStringLiteral("Rabat %"), {376, 134, 60, 22});
    for (QLineEdit* e : {LEdit_Ilosc, LEdit_Cena, LEdit_Cena_Brutto, LEdit_Rabat})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The rate cannot change: the combo only shows the old line's rate, and the dialog's own rate
    // table gives its percent and whether it is the basic rate. Retired rates stay in it, so a
    // line with a rate retired since can still be corrected.
    ADOTable_Vat = ownTable(this, "ADOTable_Vat", "Vat");
    DataSource_Vat = new data::DataSource(this);
    DataSource_Vat->setDataset(ADOTable_Vat);
    JvDBLCombo_Vat_Nazwa = lookupCombo(this, "JvDBLCombo_Vat_Nazwa", QStringLiteral("Stawka VAT"), DataSource_Vat,
                                       "Nazwa", {446, 134, 98, 22});
    JvDBLCombo_Vat_Nazwa->setFocusPolicy(Qt::NoFocus);
    JvDBLCombo_Vat_Nazwa->setAttribute(Qt::WA_TransparentForMouseEvents);
    DBEdit_Vat_Wart = boundEdit(this, "DBEdit_Vat_Wart", QString(), DataSource_Vat, "Wart", {});
    DBCheckBox_Czy_Podst = boundCheck(this, "DBCheckBox_Czy_Podst", QString(), DataSource_Vat, "Czy_Podst", {});
    DBCheckBox_Czy_Podst->hide();

    Edit_Id = documents::hiddenEdit(this, "Edit_Id");
    Edit_Netto_Brutto = documents::hiddenEdit(this, "Edit_Netto_Brutto");

    BitBtn_OK = documents::button(this, "BitBtn_OK", QStringLiteral("Wstaw"), {16, 200, 120, 30});
    BitBtn_Anuluj = documents::button(this, "BitBtn_Anuluj", QStringLiteral("Anuluj / Zamknij"), {424, 200, 120, 30});

    documents::tabChain({LEdit_Towar_PKWIU, LEdit_Ilosc, LEdit_jm, LEdit_Cena, LEdit_Rabat, BitBtn_OK, BitBtn_Anuluj,
                         LEdit_Cena_Brutto});
    // A correction changes the quantity far most often: the dialog opens there, the code before
    // it stays first in the tab order.
    ui::setFirstInput(this, LEdit_Ilosc);

    ui::on(BitBtn_OK, &QPushButton::clicked, this, &TForm_Korekta_Pozycja::BitBtn_OKClick);
    setCloseButton(BitBtn_Anuluj);
}

void TForm_Korekta_Pozycja::Ustaw_Pozycje(const documents::DocumentLine& stara, const QString& tryb,
                                          CorrectionTarget* cel)
{
    stara_ = stara;
    cel_ = cel;
    LEdit_Lp->setText(QString::number(stara.view ? stara.view->lpKoncowe : 0));
    LEdit_Towar_Symbol->setText(stara.symbol);
    LEdit_Towar_Nazwa->setText(stara.nazwa);
    LEdit_Towar_Nazwa_cd->setText(stara.nazwaCd);
    LEdit_Towar_PKWIU->setText(stara.pkwiu);
    LEdit_Ilosc->setText(text::formatGeneral(stara.ilosc));
    LEdit_Cena->setText(text::formatGeneral(stara.cena.value_or(0)));
    LEdit_Cena_Brutto->setText(text::formatGeneral(stara.cenaBrutto.value_or(0)));
    LEdit_jm->setText(stara.jm);
    LEdit_Rabat->setText(QString::number(qRound64(stara.rabat)));
    Edit_Id->setText(QString::number(stara.id));
    Edit_Netto_Brutto->setText(tryb);
    if (tryb == QLatin1String("netto") || tryb == QLatin1String("brutto")) {
        LEdit_Cena->setEnabled(tryb == QLatin1String("netto"));
        LEdit_Cena_Brutto->setEnabled(tryb == QLatin1String("brutto"));
    }

    if (!ADOTable_Vat->connection() && DataModule1)
        ADOTable_Vat->setConnection(DataModule1->ADOConnection1);
    ADOTable_Vat->close();
    ADOTable_Vat->open();
    JvDBLCombo_Vat_Nazwa->setKeyValue(stara.vatOpis);
    // A retired rate may carry the name of a rate in use: the rate in use is the one meant.
    if (JvDBLCombo_Vat_Nazwa->currentIndex() >= 0)
        ADOTable_Vat->locate(QStringLiteral("Nazwa;Arch"), QVariantList{stara.vatOpis, false},
                             {.caseInsensitive = true});
}

void TForm_Korekta_Pozycja::BitBtn_OKClick()
{
    const auto tryb = documents::priceModeFromText(Edit_Netto_Brutto->text());
    if (!tryb)
        return; // no price mode to compute in: nothing is added
    PozycjaEntry e;
    e.pkwiu = LEdit_Towar_PKWIU->text();
    e.ilosc = LEdit_Ilosc->text();
    e.cena = LEdit_Cena->text();
    e.cenaBrutto = LEdit_Cena_Brutto->text();
    e.rabat = LEdit_Rabat->text();
    e.vatNazwa = JvDBLCombo_Vat_Nazwa->currentText();
    e.vatWart = DBEdit_Vat_Wart->text();
    e.czyPodst = DBCheckBox_Czy_Podst->isChecked();
    const auto wynik = evaluatePozycja(e, *tryb);
    if (const auto* b = std::get_if<Blad>(&wynik)) {
        Pokaz_Komunikat(b->message);
        QWidget* pole = b->field == Pole::Cena ? LEdit_Cena
            : b->field == Pole::Cena_Brutto    ? LEdit_Cena_Brutto
            : b->field == Pole::Rabat          ? LEdit_Rabat
            : b->field == Pole::Vat            ? static_cast<QWidget*>(JvDBLCombo_Vat_Nazwa)
            : b->field == Pole::PKWIU          ? LEdit_Towar_PKWIU
                                               : LEdit_Ilosc;
        pole->setFocus();
        return;
    }
    const Pozycja& p = std::get<Pozycja>(wynik);
    QStringList c(KolumnyKorekty);
    c[K_Lp_Z_Fakt] = LEdit_Lp->text();
    c[K_Symbol] = LEdit_Towar_Symbol->text();
    c[K_Nazwa] = LEdit_Towar_Nazwa->text();
    c[K_Nazwa_cd] = LEdit_Towar_Nazwa_cd->text();
    c[K_PKWiU] = e.pkwiu;
    c[K_Ilosc] = text::formatQuantity(p.ilosc);
    c[K_Jm] = LEdit_jm->text();
    c[K_Cena] = text::formatAmount(p.cena);
    c[K_Cena_Brutto] = text::formatAmount(p.cenaBrutto);
    c[K_Stawka] = e.vatNazwa;
    c[K_Rabat] = e.rabat;
    c[K_Netto] = text::formatAmount(p.values.net);
    c[K_Kwota_Vat] = text::formatAmount(p.values.vat);
    c[K_Brutto] = text::formatAmount(p.values.gross);
    c[K_Wart] = e.vatWart;
    c[K_Id] = Edit_Id->text();
    if (cel_ && !cel_->Miesci_Sie(c, stara_)) {
        Pokaz_Komunikat(documents::totalsTooLargeText());
        LEdit_Ilosc->setFocus();
        return;
    }
    if (cel_)
        cel_->Dodaj_Pozycje_Korekty(c, stara_);
    accept();
}

bool TForm_Korekta_Pozycja::closing(int)
{
    for (QLineEdit* e :
         {LEdit_Lp, LEdit_Towar_Symbol, LEdit_Towar_Nazwa, LEdit_Towar_Nazwa_cd, LEdit_Towar_PKWIU, LEdit_jm})
        e->clear();
    for (QLineEdit* e : {LEdit_Ilosc, LEdit_Cena, LEdit_Cena_Brutto})
        e->setText(text::formatAmount(0));
    cel_ = nullptr;
    return true;
}

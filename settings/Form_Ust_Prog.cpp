#include "settings/Form_Ust_Prog.h"
#include "platform/ui/Connect.h"

#include "platform/text/Numbers.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/Modal.h"
#include "settings/Ustawienia.h"
#include "shell/Form_Komunikat.h"
#include "shell/Rejestr.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Ust_Prog* Form_Ust_Prog = nullptr;

TForm_Ust_Prog::TForm_Ust_Prog(QWidget* owner) : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Ust_Prog"));
    setWindowTitle(QStringLiteral("Ustawienia domyślne"));

    CBox_Netto_Brutto = new QComboBox(this);
    CBox_Netto_Brutto->setObjectName(QStringLiteral("CBox_Netto_Brutto"));
    CBox_Netto_Brutto->addItems({QStringLiteral("netto"), QStringLiteral("brutto")});
    CBox_Netto_Brutto->setCurrentIndex(0);
    CBox_Netto_Brutto->setAccessibleName(QStringLiteral("Faktura wyliczana od :"));
    Edit_Miejsce_Wyst = new QLineEdit(this);
    Edit_Miejsce_Wyst->setObjectName(QStringLiteral("Edit_Miejsce_Wyst"));
    Edit_Miejsce_Wyst->setAccessibleName(QStringLiteral("Miejsce wystawienia :"));
    Edit_Miejsce_Wyst->setMinimumWidth(220);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Faktura wyliczana od :"), CBox_Netto_Brutto);
    form->addRow(QStringLiteral("Miejsce wystawienia :"), Edit_Miejsce_Wyst);

    BitBtn1 = Przycisk_Ustawien(this, "BitBtn1", QStringLiteral("Zapisz"));
    BitBtn2 = Przycisk_Ustawien(this, "BitBtn2", QStringLiteral("Zamknij"));
    Uloz_Okno_Ustawien(this, form, BitBtn1, BitBtn2);

    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Ust_Prog::BitBtn1Click);
    setCloseButton(BitBtn2);
}

void TForm_Ust_Prog::showing()
{
    const QString faktura_od = Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz_Ustawienia, QStringLiteral("Faktura_od"));
    bool ok = false;
    const int indeks = text::parseInt(faktura_od, &ok);
    if (!ok || indeks < 0 || indeks >= CBox_Netto_Brutto->count()) {
        // A stored value that is no item index stops the loading here; the message waits until
        // the dialog is on the screen.
        const QString tekst = QStringLiteral("'%1' nie jest poprawną wartością ustawienia "
                                             "Faktura_od (0 - netto, 1 - brutto)")
                                  .arg(faktura_od);
        ui::later([tekst] { ui::showMessage(tekst); });
        return;
    }
    CBox_Netto_Brutto->setCurrentIndex(indeks);
    Edit_Miejsce_Wyst->setText(Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz_Ustawienia, QStringLiteral("Miejsce_Wyst")));
}

void TForm_Ust_Prog::BitBtn1Click()
{
    // The defaults take effect at the next document, where the user sees them: a save that
    // worked needs no message, only a failed write is told.
    const QStringList wartosci = {QString::number(CBox_Netto_Brutto->currentIndex()), Edit_Miejsce_Wyst->text()};
    if (!Zapisz_Wartosci(Klucz_Ustawienia, {QStringLiteral("Faktura_od"), QStringLiteral("Miejsce_Wyst")}, wartosci))
        Pokaz_Komunikat(Komunikat_Bledu_Zapisu());
}

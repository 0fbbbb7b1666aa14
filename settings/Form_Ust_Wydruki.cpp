#include "settings/Form_Ust_Wydruki.h"
#include "platform/ui/Connect.h"

#include "platform/text/Numbers.h"
#include "settings/Ustawienia.h"
#include "shell/Form_Komunikat.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Ust_Wydruki* Form_Ust_Wydruki = nullptr;

const QStringList TForm_Ust_Wydruki::Nazwy = {
    QStringLiteral("FV_O"),  QStringLiteral("FV_K"),  QStringLiteral("PFV_O"), QStringLiteral("PFV_K"),
    QStringLiteral("KFV_O"), QStringLiteral("KFV_K"), QStringLiteral("NFV_O"), QStringLiteral("NFV_K"),
};

const QString TForm_Ust_Wydruki::Komunikat_Ilosc =
    QStringLiteral("Niepoprawna wartość ! \nIlość musi być liczbą całkowitą");

int Pierwsza_Niepoprawna_Ilosc(const QStringList& ilosci)
{
    for (qsizetype i = 0; i < ilosci.size(); ++i) {
        if (ilosci[i].isEmpty())
            continue;
        bool ok = false;
        text::parseInt(ilosci[i], &ok);
        if (!ok)
            return static_cast<int>(i);
    }
    return -1;
}

TForm_Ust_Wydruki::TForm_Ust_Wydruki(QWidget* owner) : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Ust_Wydruki"));
    setWindowTitle(QStringLiteral("Ustawienia wydruków"));

    auto* grid = new QGridLayout;
    QFont bold = font();
    bold.setBold(true);
    const QString grupy[] = {QStringLiteral("Faktura VAT"), QStringLiteral("Faktura proforma"),
                             QStringLiteral("Korekta faktury VAT"), QStringLiteral("Nota korygująca")};
    QLineEdit** edits[] = {&LEdit_FV_O,  &LEdit_FV_K,  &LEdit_PFV_O, &LEdit_PFV_K,
                           &LEdit_KFV_O, &LEdit_KFV_K, &LEdit_NFV_O, &LEdit_NFV_K};
    for (int g = 0; g < 4; ++g) {
        auto* naglowek = new QLabel(grupy[g], this);
        naglowek->setFont(bold);
        grid->addWidget(naglowek, g * 3, 0, 1, 2);
        for (int k = 0; k < 2; ++k) {
            const QString caption = k == 0 ? QStringLiteral("Liczba oryginałów :") : QStringLiteral("Liczba kopii :");
            auto* label = new QLabel(caption, this);
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QStringLiteral("LEdit_") + Nazwy[g * 2 + k]);
            edit->setAccessibleName(caption);
            edit->setFixedWidth(80);
            label->setBuddy(edit);
            grid->addWidget(label, g * 3 + 1 + k, 0);
            grid->addWidget(edit, g * 3 + 1 + k, 1);
            *edits[g * 2 + k] = edit;
        }
        grid->setRowMinimumHeight(g * 3, 28);
    }

    BitBtn_Zapisz = Przycisk_Ustawien(this, "BitBtn_Zapisz", QStringLiteral("Zapisz"));
    BitBtn_Zamknij = Przycisk_Ustawien(this, "BitBtn_Zamknij", QStringLiteral("Zamknij"));
    Uloz_Okno_Ustawien(this, grid, BitBtn_Zapisz, BitBtn_Zamknij);

    ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &TForm_Ust_Wydruki::BitBtn_ZapiszClick);
    setCloseButton(BitBtn_Zamknij);
}

QList<QLineEdit*> TForm_Ust_Wydruki::pola() const
{
    return {LEdit_FV_O, LEdit_FV_K, LEdit_PFV_O, LEdit_PFV_K, LEdit_KFV_O, LEdit_KFV_K, LEdit_NFV_O, LEdit_NFV_K};
}

void TForm_Ust_Wydruki::showing() { Wpisz_Wartosci(pola(), Klucz_Wydruki, Nazwy); }

void TForm_Ust_Wydruki::BitBtn_ZapiszClick()
{
    const auto edits = pola();
    const QStringList ilosci = Teksty_Pol(edits);
    const int zly = Pierwsza_Niepoprawna_Ilosc(ilosci);
    if (zly >= 0) {
        Pokaz_Komunikat(Komunikat_Ilosc);
        edits[zly]->setFocus();
        return;
    }
    // The counts are stored as typed.
    Pokaz_Komunikat(Zapisz_Wartosci(Klucz_Wydruki, Nazwy, ilosci) ? Komunikat_Zapisane : Komunikat_Bledu_Zapisu());
}

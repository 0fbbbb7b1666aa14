#include "settings/Form_Ust_Firma.h"
#include "platform/ui/Connect.h"

#include "platform/ui/Modal.h"
#include "settings/Ustawienia.h"
#include "shell/Form_Komunikat.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Ust_Firma* Form_Ust_Firma = nullptr;

const QStringList TForm_Ust_Firma::Nazwy = {
    QStringLiteral("Nazwa_L1"), QStringLiteral("Nazwa_L2"), QStringLiteral("Kod"),
    QStringLiteral("Miasto"),   QStringLiteral("Adres"),    QStringLiteral("Nip"),
    QStringLiteral("Konto"),    QStringLiteral("Tel"),      QStringLiteral("Logo"),
};

QStringList Filtry_Logo()
{
    // Linux file names are case-sensitive: "LOGO.JPG" must be listed as well as "logo.jpg".
    return {
        QStringLiteral("Wszystkie pliki (*.[jJ][pP][gG] *.[jJ][pP][eE][gG] *.[bB][mM][pP])"),
        QStringLiteral("Pliki JPEG (*.jpg) (*.[jJ][pP][gG])"),
        QStringLiteral("Pliki JPEG (*.jpeg) (*.[jJ][pP][eE][gG])"),
        QStringLiteral("Pliki BMP (*.bmp) (*.[bB][mM][pP])"),
    };
}

namespace {
QLineEdit* poleZEtykieta(QWidget* parent, QGridLayout* grid, int row, const char* name, const QString& caption,
                         int span = 2)
{
    auto* label = new QLabel(caption, parent);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    label->setBuddy(edit);
    grid->addWidget(label, row * 2, 0, 1, span);
    grid->addWidget(edit, row * 2 + 1, 0, 1, span);
    return edit;
}
} // namespace

TForm_Ust_Firma::TForm_Ust_Firma(QWidget* owner) : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Ust_Firma"));
    setWindowTitle(QStringLiteral("Dane Firmy"));

    auto* grid = new QGridLayout;
    LEdit_Nazwa_L1 = poleZEtykieta(this, grid, 0, "LEdit_Nazwa_L1", QStringLiteral("Nazwa Firmy"));
    LEdit_Nazwa_L2 = poleZEtykieta(this, grid, 1, "LEdit_Nazwa_L2", QStringLiteral("Nazwa Firmy cd."));
    LEdit_Kod = poleZEtykieta(this, grid, 2, "LEdit_Kod", QStringLiteral("Kod"));
    LEdit_Miasto = poleZEtykieta(this, grid, 3, "LEdit_Miasto", QStringLiteral("Miasto"));
    LEdit_Adres = poleZEtykieta(this, grid, 4, "LEdit_Adres", QStringLiteral("Adres (ulica, nr domu)"));
    LEdit_Nip = poleZEtykieta(this, grid, 5, "LEdit_Nip", QStringLiteral("NIP"));
    LEdit_Konto = poleZEtykieta(this, grid, 6, "LEdit_Konto", QStringLiteral("Konto bankowe"));
    LEdit_Tel = poleZEtykieta(this, grid, 7, "LEdit_Tel", QStringLiteral("Telefon"));
    LEdit_Logo = poleZEtykieta(this, grid, 8, "LEdit_Logo", QStringLiteral("Plik z logo Firmy"), 1);
    BitBtn1 = Przycisk_Ustawien(this, "BitBtn1", QStringLiteral("Wybierz"));
    grid->addWidget(BitBtn1, 17, 1);
    grid->setColumnMinimumWidth(0, 340);

    BitBtn_Zapisz = Przycisk_Ustawien(this, "BitBtn_Zapisz", QStringLiteral("Zapisz"));
    BitBtn_Zamknij = Przycisk_Ustawien(this, "BitBtn_Zamknij", QStringLiteral("Zamknij"));
    Uloz_Okno_Ustawien(this, grid, BitBtn_Zapisz, BitBtn_Zamknij);

    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Ust_Firma::BitBtn1Click);
    ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &TForm_Ust_Firma::BitBtn_ZapiszClick);
    setCloseButton(BitBtn_Zamknij);
}

QList<QLineEdit*> TForm_Ust_Firma::pola() const
{
    return {LEdit_Nazwa_L1, LEdit_Nazwa_L2, LEdit_Kod, LEdit_Miasto, LEdit_Adres,
            LEdit_Nip,      LEdit_Konto,    LEdit_Tel, LEdit_Logo};
}

void TForm_Ust_Firma::showing()
{
    // Every showing replaces unsaved edits by the stored values.
    Wpisz_Wartosci(pola(), Klucz_Firma, Nazwy);
}

void TForm_Ust_Firma::BitBtn1Click()
{
    QFileDialog OpenDialog1(this);
    OpenDialog1.setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1.setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1.setOption(QFileDialog::HideNameFilterDetails);
    OpenDialog1.setFileMode(QFileDialog::ExistingFile);
    OpenDialog1.setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1.setNameFilters(Filtry_Logo());
    if (ui::showModal(&OpenDialog1) != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1.selectedFiles();
    if (!files.isEmpty())
        LEdit_Logo->setText(files.first());
}

void TForm_Ust_Firma::BitBtn_ZapiszClick()
{
    Pokaz_Komunikat(Zapisz_Wartosci(Klucz_Firma, Nazwy, Teksty_Pol(pola())) ? Komunikat_Zapisane
                                                                            : Komunikat_Bledu_Zapisu());
}

#include "documents/Form_Drukuj_Fakt.h"
#include "platform/ui/Connect.h"

#include "documents/FormControls.h"
#include "platform/system/Library.h"
#include "platform/codepage/Cp1250.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Font.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/Modal.h"
#include "printlib/Dokpress.h"
#include "settings/Ustawienia.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"
#include "shell/Rejestr.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TForm_Drukuj_Fakt* Form_Drukuj_Fakt = nullptr;

namespace {

// The printouts of one document type: Polish net-price, Polish gross-price and bilingual.
struct Wydruki_Typu {
    const char* typ;
    const char* netto;
    const char* brutto;
    const char* angielski;
    bool dowolny_tryb; // the Polish printout does not depend on the price mode
};

constexpr Wydruki_Typu kWydruki[] = {
    {"FV", "_ShowFaktStdRep", "_ShowFaktStdBRep", "_ShowFaktStdRepAng", false},
    {"PFV", "_ShowFaktProFRep", "_ShowFaktProFBRep", "_ShowFaktProFRepAng", false},
    {"KFV", "_ShowFaktKorRep", "_ShowFaktKorBRep", "_ShowFaktKorRepAng", false},
    {"NFV", "_ShowFaktNotaRep", "_ShowFaktNotaRep", "_ShowFaktNotaRepAng", true},
};

const QString kZleOryginaly = QStringLiteral("Niepoprawna wartość w polu 'Liczba oryginałów'");
const QString kZleKopie = QStringLiteral("Niepoprawna wartość w polu 'Liczba kopii'");

// The entry point from the main window's library.
void* Wydruk_Z_Dokpress(const char* nazwa)
{
    sys::LibraryHandle biblioteka = MainForm ? MainForm->Daj_Dokpress() : nullptr;
    return sys::findEntry(biblioteka, nazwa);
}

} // namespace

const char* Wybierz_Wydruk(const QString& typ, const QString& tryb, Jezyk_Faktury jezyk)
{
    for (const Wydruki_Typu& w : kWydruki) {
        if (typ != QLatin1String(w.typ))
            continue;
        if (jezyk == Jezyk_Faktury::Polski_Angielski)
            return w.angielski;
        if (w.dowolny_tryb || tryb == QLatin1String("netto"))
            return w.netto;
        if (tryb == QLatin1String("brutto"))
            return w.brutto;
        return nullptr;
    }
    return nullptr;
}

std::optional<Nazwy_Liczb_Wydrukow> Nazwy_Liczb(const QString& typ)
{
    for (const Wydruki_Typu& w : kWydruki)
        if (typ == QLatin1String(w.typ))
            return Nazwy_Liczb_Wydrukow{typ + QStringLiteral("_O"), typ + QStringLiteral("_K")};
    return std::nullopt;
}

Liczby_Wydrukow Sprawdz_Liczby(const QString& oryginaly, const QString& kopie)
{
    // A whole number within what the print library takes; the first field at fault is reported.
    const struct {
        const QString& tekst;
        int najmniej;
        const QString& komunikat;
        int Liczby_Wydrukow::*liczba;
    } pola[] = {{oryginaly, dokpress::MinOriginals, kZleOryginaly, &Liczby_Wydrukow::Oryginaly},
                {kopie, dokpress::MinCopies, kZleKopie, &Liczby_Wydrukow::Kopie}};
    Liczby_Wydrukow l;
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        l.*pola[i].liczba = text::parseInt(pola[i].tekst, &ok);
        if (ok && l.*pola[i].liczba >= pola[i].najmniej && l.*pola[i].liczba <= dokpress::MaxCount)
            continue;
        l.Pole_Bledu = i;
        l.Komunikat = pola[i].komunikat;
        if (ok)
            l.Komunikat +=
                QStringLiteral("\nDozwolone są liczby od %1 do %2.").arg(pola[i].najmniej).arg(dokpress::MaxCount);
        return l;
    }
    return l;
}

TForm_Drukuj_Fakt::TForm_Drukuj_Fakt(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      Znajdz_Wydruk(Wydruk_Z_Dokpress)
{
    setObjectName(QStringLiteral("Form_Drukuj_Fakt"));
    setWindowTitle(QStringLiteral("Drukuj..."));
    setFixedSize(362, 226);
    QFont czcionka(ui::screenFamily(QStringLiteral("MS Sans Serif")));
    czcionka.setPointSize(font().pointSize());
    setFont(czcionka);

    GroupBox_Jezyk = new QGroupBox(QStringLiteral("Język faktury"), this);
    GroupBox_Jezyk->setObjectName(QStringLiteral("RadioGroup_Jezyk"));
    GroupBox_Jezyk->setGeometry(16, 12, 330, 56);
    RadioButton_Polski = new QRadioButton(QStringLiteral("Polski"), GroupBox_Jezyk);
    RadioButton_Polski->setGeometry(12, 24, 150, 20);
    RadioButton_Polski_Angielski = new QRadioButton(QStringLiteral("Polski + Angielski"), GroupBox_Jezyk);
    RadioButton_Polski_Angielski->setGeometry(170, 24, 150, 20);
    RadioGroup_Jezyk = new QButtonGroup(this);
    RadioGroup_Jezyk->addButton(RadioButton_Polski, int(Jezyk_Faktury::Polski));
    RadioGroup_Jezyk->addButton(RadioButton_Polski_Angielski, int(Jezyk_Faktury::Polski_Angielski));
    RadioButton_Polski->setChecked(true);

    // An edit with its caption on the left; the caption is also its accessible name.
    auto pole = [this](const char* nazwa, const QString& podpis, int y) {
        auto* label = new QLabel(podpis, this);
        label->setGeometry(16, y, 150, 21);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(QStringLiteral("1"), this);
        edit->setObjectName(QLatin1String(nazwa));
        edit->setAccessibleName(podpis);
        edit->setGeometry(172, y, 60, 21);
        label->setBuddy(edit);
        return edit;
    };
    LEdit_Oryginal = pole("LEdit_Oryginal", QStringLiteral("Liczba orginałów:"), 84);
    LEdit_Oryginal->setReadOnly(true); // changed only in the printout settings
    LEdit_Kopie = pole("LEdit_Kopie", QStringLiteral("Liczba kopii:"), 116);

    // The dialog's input, written by the callers.
    Edit_Id = documents::hiddenEdit(this, "Edit_Id");
    Edit_Wyroznik = documents::hiddenEdit(this, "Edit_Wyroznik");
    Edit_Netto_Brutto = documents::hiddenEdit(this, "Edit_Netto_Brutto");
    Edit_Duplikat = documents::hiddenEdit(this, "Edit_Duplikat");
    Edit_Data_Duplikatu = documents::hiddenEdit(this, "Edit_Data_Duplikatu");

    auto przycisk = [this](const char* nazwa, const QString& podpis, int x) {
        auto* b = documents::button(this, nazwa, podpis, {x, 172, 120, 34});
        QFont pogrubiona = b->font();
        pogrubiona.setBold(true);
        b->setFont(pogrubiona);
        return b;
    };
    BitBtn_Drukuj = przycisk("BitBtn_Drukuj", QStringLiteral("Drukuj"), 48);
    BitBtn_Anuluj = przycisk("BitBtn_Anuluj", QStringLiteral("Anuluj"), 194);

    setTabOrder(RadioButton_Polski, LEdit_Oryginal);
    setTabOrder(LEdit_Oryginal, LEdit_Kopie);
    setTabOrder(LEdit_Kopie, BitBtn_Drukuj);
    setTabOrder(BitBtn_Drukuj, BitBtn_Anuluj);

    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &TForm_Drukuj_Fakt::BitBtn_DrukujClick);
    setCloseButton(BitBtn_Anuluj);
}

Jezyk_Faktury TForm_Drukuj_Fakt::Jezyk() const
{
    return RadioGroup_Jezyk->checkedId() == int(Jezyk_Faktury::Polski_Angielski) ? Jezyk_Faktury::Polski_Angielski
                                                                                 : Jezyk_Faktury::Polski;
}

void TForm_Drukuj_Fakt::showing()
{
    wydrukowano_ = false;
    if (const auto nazwy = Nazwy_Liczb(Edit_Wyroznik->text())) {
        LEdit_Oryginal->setText(Czytaj_Rejestr(Klucz_Wydruki, nazwy->Oryginaly));
        LEdit_Kopie->setText(Czytaj_Rejestr(Klucz_Wydruki, nazwy->Kopie));
    }
    RadioButton_Polski->setChecked(true);
}

bool TForm_Drukuj_Fakt::closing(int)
{
    // The duplicate marking is for one showing only.
    Edit_Duplikat->clear();
    Edit_Data_Duplikatu->clear();
    return true;
}

void TForm_Drukuj_Fakt::BitBtn_DrukujClick()
{
    const Liczby_Wydrukow liczby = Sprawdz_Liczby(LEdit_Oryginal->text(), LEdit_Kopie->text());
    if (!liczby.ok()) {
        Pokaz_Komunikat(liczby.Komunikat);
        (liczby.Pole_Bledu == 0 ? LEdit_Oryginal : LEdit_Kopie)->setFocus();
        return;
    }
    const bool wydrukowano = Drukuj_Dokument(Edit_Id->text());
    done(wydrukowano ? QDialog::Accepted : QDialog::Rejected);
}

void TForm_Drukuj_Fakt::Drukuj_Dokument_O_Id(const QString& id, const QString& typ, const QString& tryb)
{
    Edit_Id->setText(id);
    Edit_Wyroznik->setText(typ);
    Edit_Netto_Brutto->setText(tryb);
    ui::showModal(this);
}

bool TForm_Drukuj_Fakt::Drukuj_Dokument(const QString& id)
{
    const Liczby_Wydrukow liczby = Sprawdz_Liczby(LEdit_Oryginal->text(), LEdit_Kopie->text());
    const char* nazwa = Wybierz_Wydruk(Edit_Wyroznik->text(), Edit_Netto_Brutto->text(), Jezyk());
    if (!liczby.ok() || !nazwa)
        return false;

    auto* wydruk = reinterpret_cast<ShowFaktProc>(Znajdz_Wydruk ? Znajdz_Wydruk(nazwa) : nullptr);
    if (!wydruk) {
        QString blad = sys::lastErrorText();
        if (blad.isEmpty())
            blad = QStringLiteral("Nie znaleziono funkcji %1 biblioteki Dokpress.dll").arg(QLatin1String(nazwa));
        ui::showMessage(blad);
        return false;
    }

    // The library reads the texts during the call only; they live until it returns.
    const QByteArray id_tekst = text::toCp1250(id);
    const QByteArray duplikat = text::toCp1250(Edit_Duplikat->text());
    const QByteArray data_duplikatu = text::toCp1250(Edit_Data_Duplikatu->text());
    wydruk(qobject_cast<QApplication*>(QCoreApplication::instance()), id_tekst.constData(), liczby.Oryginaly,
           liczby.Kopie, duplikat.constData(), data_duplikatu.constData());
    wydrukowano_ = true;
    return true;
}

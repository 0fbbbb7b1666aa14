#pragma once
// "Drukuj...": the one road by which a sales document reaches the printer. The caller names the
// document by its key (Drukuj_Dokument_O_Id; a duplicate presets Edit_Id, Edit_Wyroznik,
// Edit_Netto_Brutto, Edit_Duplikat and Edit_Data_Duplikatu and shows the dialog modally); the
// user sets the copies and the language and the dialog calls the matching entry point of the
// invoice print library.
#include "platform/ui/Dialog.h"

#include <QString>

#include <functional>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Item indexes of the language group.
enum class Jezyk_Faktury { Polski = 0, Polski_Angielski = 1 };

// The entry point of the invoice print library that prints a document of type `typ` ("FV", "PFV",
// "KFV", "NFV") in price mode `tryb` ("netto", "brutto") and language `jezyk`; nullptr when none
// fits. Texts are compared exactly. Notes have no gross layout and print in Polish whatever the
// mode; the bilingual printouts ignore the mode.
const char* Wybierz_Wydruk(const QString& typ, const QString& tryb, Jezyk_Faktury jezyk);

// The settings values holding the default number of originals and copies of a document type
// ("FV_O", "FV_K" for "FV"); nothing for a type that has none.
struct Nazwy_Liczb_Wydrukow {
    QString Oryginaly;
    QString Kopie;
};
std::optional<Nazwy_Liczb_Wydrukow> Nazwy_Liczb(const QString& typ);

// The counts typed in the dialog, checked in the dialog's order (originals first). When one is not
// a whole number, `Pole_Bledu` says which (0 originals, 1 copies) and `Komunikat` what to show.
// No range is checked: zero or negative counts are passed on as they are.
struct Liczby_Wydrukow {
    int Oryginaly = 0;
    int Kopie = 0;
    int Pole_Bledu = -1;
    QString Komunikat;
    bool ok() const { return Pole_Bledu < 0; }
};
Liczby_Wydrukow Sprawdz_Liczby(const QString& oryginaly, const QString& kopie);

class TForm_Drukuj_Fakt : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Drukuj_Fakt(QWidget* owner = nullptr);

    QGroupBox* GroupBox_Jezyk;
    QButtonGroup* RadioGroup_Jezyk; // ids are the item indexes of Jezyk_Faktury
    QRadioButton* RadioButton_Polski;
    QRadioButton* RadioButton_Polski_Angielski;
    QLineEdit* LEdit_Oryginal;
    QLineEdit* LEdit_Kopie;
    QLineEdit* Edit_Id;
    QLineEdit* Edit_Wyroznik;
    QLineEdit* Edit_Netto_Brutto;
    QLineEdit* Edit_Duplikat;
    QLineEdit* Edit_Data_Duplikatu;
    QPushButton* BitBtn_Drukuj;
    QPushButton* BitBtn_Anuluj;

    // Finds an entry point of the invoice print library by its exported name; nullptr when the
    // library or the entry point is missing, with sys::lastErrorText() saying why. By default the
    // library is the main window's (loaded at the first print, looked for again after a failure);
    // tests put a library of their own here.
    std::function<void*(const char* nazwa)> Znajdz_Wydruk;

    // Shows the dialog modally for the document with key `id`, of type `typ` ("FV", "KFV", ...)
    // in price mode `tryb` ("netto", "brutto"; a note has none).
    void Drukuj_Dokument_O_Id(const QString& id, const QString& typ, const QString& tryb);

    // Chooses and calls the entry point for the preset document with the counts of the dialog.
    // Returns whether a printout was made, i.e. an entry point was called.
    bool Drukuj_Dokument(const QString& id);

    // Whether the last showing ended in a printout (the duplicate dialog records a duplicate only
    // then).
    bool Czy_Wydrukowano() const { return wydrukowano_; }

    Jezyk_Faktury Jezyk() const;

public slots:
    void BitBtn_DrukujClick();

protected:
    void showing() override;
    bool closing(int result) override;

private:
    bool wydrukowano_ = false;
};

extern TForm_Drukuj_Fakt* Form_Drukuj_Fakt;

#pragma once
// "Pozycja do korekty...": the new values of one line of a stored invoice that a correction
// changes. The correction window fills it from the old line and shows it; "Wstaw" checks the
// entry, computes the new line in the invoice's price mode and hands it to the window with the
// old line; the window adds it to its grids and sums. Nothing is written to the database here.
#include "documents/Document.h"
#include "platform/ui/Dialog.h"

class QLineEdit;
class QPushButton;

namespace data {
class Table;
class DataSource;
} // namespace data

namespace ui {
class DbLookupCombo;
class DbEdit;
class DbCheckBox;
} // namespace ui

namespace corrections {
class CorrectionTarget;
}

class TForm_Korekta_Pozycja : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Korekta_Pozycja(QWidget* owner = nullptr);

    // Fills the dialog from the old line (a line of the invoice view as the store loaded it) and
    // the invoice's price mode ("netto" / "brutto"); the accepted line goes to `cel`.
    void Ustaw_Pozycje(const documents::DocumentLine& stara, const QString& tryb, corrections::CorrectionTarget* cel);

    QLineEdit* LEdit_Lp;
    QLineEdit* LEdit_Towar_Symbol;
    QLineEdit* LEdit_Towar_Nazwa;
    QLineEdit* LEdit_Towar_Nazwa_cd;
    QLineEdit* LEdit_Towar_PKWIU;
    QLineEdit* LEdit_Ilosc;
    QLineEdit* LEdit_jm;
    QLineEdit* LEdit_Cena;
    QLineEdit* LEdit_Rabat;
    QLineEdit* LEdit_Cena_Brutto;
    ui::DbLookupCombo* JvDBLCombo_Vat_Nazwa;
    ui::DbEdit* DBEdit_Vat_Wart;
    ui::DbCheckBox* DBCheckBox_Czy_Podst;
    QLineEdit* Edit_Id;
    QLineEdit* Edit_Netto_Brutto;
    QPushButton* BitBtn_OK;
    QPushButton* BitBtn_Anuluj;

    data::Table* ADOTable_Vat;
    data::DataSource* DataSource_Vat;

public slots:
    void BitBtn_OKClick();

protected:
    bool closing(int result) override;

private:
    documents::DocumentLine stara_;
    corrections::CorrectionTarget* cel_ = nullptr;
};

extern TForm_Korekta_Pozycja* Form_Korekta_Pozycja;

#pragma once
// New goods or service ("Nowy towar / usługa..."). "Nowy" keeps the gross price and the rate.
#include "dictionaries/RecordDialog.h"

namespace ui {
class DbLookupCombo;
class DbEdit;
class DbCheckBox;
} // namespace ui

class TForm_Nowy_Towar : public dictionaries::NewRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Nowy_Towar(QWidget* owner = nullptr);

    void Wyczysc_Pola() override;

    ui::DbLookupCombo* DBCBox_Vat_Nazwa;
    ui::DbEdit* DBEdit_Vat_Wart;      // hidden: the chosen rate's percent
    ui::DbCheckBox* DBCBox_Czy_Podst; // hidden: the chosen rate is the basic one
    data::Table* ADOTable_Vat;        // rates not archived
    data::DataSource* DataSource_Vat;

protected:
    void showing() override;
    bool closing(int result) override;
};

extern TForm_Nowy_Towar* Form_Nowy_Towar;

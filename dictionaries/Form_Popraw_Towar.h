#pragma once
// Changing goods ("Popraw dane towaru / usługi"). The rate combo offers the rates not archived;
// goods whose rate has been retired keep their stored rate unless another one is chosen.
#include "dictionaries/RecordDialog.h"

namespace ui {
class DbLookupCombo;
class DbEdit;
class DbCheckBox;
} // namespace ui

class TForm_Popraw_Towar : public dictionaries::EditRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Popraw_Towar(QWidget* owner = nullptr);

    ui::DbLookupCombo* DBLookupComboBox_Vat_Nazwa;
    ui::DbEdit* DBEdit_Tow_Vat_Opis;  // hidden: the goods' rate name
    ui::DbEdit* DBEdit_Tow_Vat_Wart;  // hidden: the goods' rate percent
    ui::DbEdit* DBEdit_Vat_Wart;      // hidden: the chosen rate's percent
    ui::DbCheckBox* DBCheckBox_Podst; // hidden: the chosen rate is the basic one
    data::Table* ADOTable_Vat;
    data::DataSource* DataSource_Vat;

protected:
    void poOtwarciu() override;
    void uzupelnijWpis(dictionaries::Wpis& w) const override;
    void przedZapisem() override;
    bool closing(int result) override;
};

extern TForm_Popraw_Towar* Form_Popraw_Towar;

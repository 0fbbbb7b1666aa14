#pragma once
// Changing a VAT rate ("Popraw stawkę VAT"): percent, basic flag and archive flag; the name stays.
#include "dictionaries/RecordDialog.h"

class TForm_Stawka_Vat_Popraw : public dictionaries::EditRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Stawka_Vat_Popraw(QWidget* owner = nullptr);
};

extern TForm_Stawka_Vat_Popraw* Form_Stawka_Vat_Popraw;

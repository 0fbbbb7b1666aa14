#pragma once
// The list of VAT rates ("Stawki VAT"), a modal dialog: archived rates are listed too.
#include "dictionaries/ListWindow.h"

class TForm_Stawki_VAT : public dictionaries::ListDialog {
    Q_OBJECT
public:
    explicit TForm_Stawki_VAT(QWidget* owner = nullptr);
    ui::DbGrid* JvDBUltimGrid_Stawki;
};

extern TForm_Stawki_VAT* Form_Stawki_VAT;

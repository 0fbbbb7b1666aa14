#pragma once
// "Faktura do noty korygującej ...": the invoice picker of the correction note window.
#include "corrections/InvoicePicker.h"

class TForm_Do_Noty : public corrections::InvoicePicker {
    Q_OBJECT
public:
    explicit TForm_Do_Noty(QWidget* owner = nullptr);

    QComboBox* JvCBox_Sortuj;
    ui::DbGrid* JvDBUltimGrid1;
};

extern TForm_Do_Noty* Form_Do_Noty;

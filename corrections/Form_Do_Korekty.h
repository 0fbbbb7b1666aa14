#pragma once
// "Faktura do korekty...": the invoice picker of the correction invoice window, with the chosen
// invoice's current lines under the list.
#include "corrections/InvoicePicker.h"

class TForm_Do_Korekty : public corrections::InvoicePicker {
    Q_OBJECT
public:
    explicit TForm_Do_Korekty(QWidget* owner = nullptr);

    QComboBox* JvCBox_Sort;
    ui::DbGrid* DBGrid1;
    ui::DbGrid* DBGrid2;

protected:
    void showing() override;
};

extern TForm_Do_Korekty* Form_Do_Korekty;

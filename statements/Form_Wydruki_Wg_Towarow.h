#pragma once
// "Sprzedaż wg. towarów / usług - wydruk": the sales of every goods item and service in a period.
#include "statements/Wydruk_Sprzedazy.h"

class TForm_Wydruki_Wg_Towarow : public statements::Wydruk_Sprzedazy {
    Q_OBJECT
public:
    explicit TForm_Wydruki_Wg_Towarow(QWidget* owner = nullptr);

    QDateEdit* Jv_Od_Daty;
    QDateEdit* Jv_Do_Daty;
};

extern TForm_Wydruki_Wg_Towarow* Form_Wydruki_Wg_Towarow;

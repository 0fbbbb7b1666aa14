#pragma once
// "Sprzedaż wg. Klientów - wydruk": the sales of every client in a period.
#include "statements/Wydruk_Sprzedazy.h"

class TForm_Wydruki_Wg_Klientow : public statements::Wydruk_Sprzedazy {
    Q_OBJECT
public:
    explicit TForm_Wydruki_Wg_Klientow(QWidget* owner = nullptr);

    QDateEdit* Jv_Od_Daty;
    QDateEdit* Jv_Do_Daty;
};

extern TForm_Wydruki_Wg_Klientow* Form_Wydruki_Wg_Klientow;

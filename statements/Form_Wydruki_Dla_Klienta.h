#pragma once
// "Sprzedaż dla Klienta - wydruk": the sales of the client chosen in the grid, in a period.
#include "statements/Wydruk_Dla_Wiersza.h"

class QComboBox;
class QLineEdit;

class TForm_Wydruki_Dla_Klienta : public statements::Wydruk_Dla_Wiersza {
    Q_OBJECT
public:
    explicit TForm_Wydruki_Dla_Klienta(QWidget* owner = nullptr);

    QDateEdit* Jv_Od_Daty;
    QDateEdit* Jv_Do_Daty;
    data::Table* ADOTable_Klienci;
    QComboBox* ComboBox_Sortuj;
    QComboBox* CBox_Szukaj;
    QLineEdit* Edit_Szukaj;
    QPushButton* BitBtn_Szukaj;
};

extern TForm_Wydruki_Dla_Klienta* Form_Wydruki_Dla_Klienta;

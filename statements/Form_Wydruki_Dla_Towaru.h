#pragma once
// "Sprzedaż dla towaru / usługi - wydruk": the sales of the goods item chosen in the grid (archived
// goods are not offered), in a period.
#include "statements/Wydruk_Dla_Wiersza.h"

class QComboBox;
class QLineEdit;

class TForm_Wydruki_Dla_Towaru : public statements::Wydruk_Dla_Wiersza {
    Q_OBJECT
public:
    explicit TForm_Wydruki_Dla_Towaru(QWidget* owner = nullptr);

    QDateEdit* Jv_Od_Daty;
    QDateEdit* Jv_Do_Daty;
    data::Table* ADOTable_Towary;
    QComboBox* CBox_Sortuj;
    QComboBox* CBox_Szukaj;
    QLineEdit* Edit_Szukaj;
    QPushButton* BitBtn_Szukaj;
};

extern TForm_Wydruki_Dla_Towaru* Form_Wydruki_Dla_Towaru;

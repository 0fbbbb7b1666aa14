#pragma once
// "Sprzedaż wg towrów / usług": the goods and services not archived, the lines of the item under
// the cursor and their quantity, net and gross sums; an MDI child.
#include "statements/Zestawienie.h"

class TForm_Sprzedaz_Wg_Towarow : public statements::Zestawienie {
    Q_OBJECT
public:
    explicit TForm_Sprzedaz_Wg_Towarow(QWidget* parent = nullptr);

    data::Table* ADOTable_Towary;
    QComboBox* CBox_Sortuj;
    QComboBox* CBox_Szukaj;
    QLineEdit* Edit_Szukaj;
    QPushButton* BitBtn_Szukaj;
    ui::DbEdit* DBEdit3; // "Ilość (suma)"
    ui::DbEdit* DBEdit1; // "Wartość netto (suma)"
    ui::DbEdit* DBEdit2; // "Wartość brutto (suma)"
    QPushButton* BitBtn_Zamknj;

    void ADOTable_TowaryAfterScroll() { AfterScroll(); }
};

extern TForm_Sprzedaz_Wg_Towarow* Form_Sprzedaz_Wg_Towarow;

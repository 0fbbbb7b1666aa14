#pragma once
// "Sprzedaż wg. Klientów": the clients, the lines of the client under the cursor and their net
// and gross sums; an MDI child.
#include "statements/Zestawienie.h"

class TForm_Sprzedaz_Wg_Klienta : public statements::Zestawienie {
    Q_OBJECT
public:
    explicit TForm_Sprzedaz_Wg_Klienta(QWidget* parent = nullptr);

    data::Table* ADOTable_Klienci;
    QComboBox* CBox_Sortuj;
    QComboBox* CBox_Szukaj;
    QLineEdit* Edit_Szukaj;
    QPushButton* BitBtn_Szukaj;
    ui::DbEdit* DBEdit1; // "Wartość netto (suma)"
    ui::DbEdit* DBEdit2; // "Wartość brutto (suma)"
    QPushButton* BitBtn_Zamknij;

    void ADOTable_KlienciAfterScroll() { AfterScroll(); }
};

extern TForm_Sprzedaz_Wg_Klienta* Form_Sprzedaz_Wg_Klienta;

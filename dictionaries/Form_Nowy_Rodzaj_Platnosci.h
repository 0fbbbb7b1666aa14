#pragma once
// A new payment kind ("Nowy rodzaj płatności"); nothing is checked.
#include "dictionaries/RecordDialog.h"

class TForm_Nowy_Rodzaj_Platnosci : public dictionaries::NewRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Nowy_Rodzaj_Platnosci(QWidget* owner = nullptr);
};

extern TForm_Nowy_Rodzaj_Platnosci* Form_Nowy_Rodzaj_Platnosci;

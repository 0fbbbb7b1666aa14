#pragma once
// Changing a payment kind ("Popraw rodzaj płatności"); nothing is checked.
#include "dictionaries/RecordDialog.h"

class TForm_Popraw_Rodzaj_Platnosci : public dictionaries::EditRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Popraw_Rodzaj_Platnosci(QWidget* owner = nullptr);
};

extern TForm_Popraw_Rodzaj_Platnosci* Form_Popraw_Rodzaj_Platnosci;

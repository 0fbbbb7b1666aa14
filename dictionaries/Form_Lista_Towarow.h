#pragma once
// The goods and services list ("Słownik towarów / usług"), an MDI child.
#include "dictionaries/ListWindow.h"

class TForm_Lista_Towarow : public dictionaries::ListWindow {
    Q_OBJECT
public:
    explicit TForm_Lista_Towarow(QWidget* parent = nullptr);
    ui::DbGrid* DBGrid_Lista_Towarow;
};

extern TForm_Lista_Towarow* Form_Lista_Towarow;

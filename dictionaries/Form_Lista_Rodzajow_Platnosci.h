#pragma once
// The payment kinds list ("Rodzaje płatności"), an MDI child.
#include "dictionaries/ListWindow.h"

class TForm_Lista_Rodzajow_Platnosci : public dictionaries::ListWindow {
    Q_OBJECT
public:
    explicit TForm_Lista_Rodzajow_Platnosci(QWidget* parent = nullptr);
    ui::DbGrid* JvDBUltimGrid1;
};

extern TForm_Lista_Rodzajow_Platnosci* Form_Lista_Rodzajow_Platnosci;

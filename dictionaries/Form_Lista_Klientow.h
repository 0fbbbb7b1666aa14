#pragma once
// The client list ("Lista Klientów"), an MDI child.
#include "dictionaries/ListWindow.h"

class TForm_Lista_Klientow : public dictionaries::ListWindow {
    Q_OBJECT
public:
    explicit TForm_Lista_Klientow(QWidget* parent = nullptr);
    ui::DbGrid* DBGrid1;
};

extern TForm_Lista_Klientow* Form_Lista_Klientow;

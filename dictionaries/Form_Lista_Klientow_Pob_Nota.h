#pragma once
// The client pick of the correction note window: the same pick, always filling the note window
// (registered as "NFV"), with resizable columns, remarks the user may change, and sort and search
// settings that stay between showings.
#include "dictionaries/PickDialog.h"

class TForm_Lista_Klientow_Pob_Nota : public dictionaries::PickDialog {
    Q_OBJECT
public:
    explicit TForm_Lista_Klientow_Pob_Nota(QWidget* owner = nullptr);

    void Wstaw_Dane_Klienta();
    ui::DbGrid* JvDBUltimGrid1;

protected:
    void wstawDane() override { Wstaw_Dane_Klienta(); }
};

extern TForm_Lista_Klientow_Pob_Nota* Form_Lista_Klientow_Pob_Nota;

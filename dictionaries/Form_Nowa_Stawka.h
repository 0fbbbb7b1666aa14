#pragma once
// A new VAT rate ("Nowa stawka VAT"). The dialog stays open after a save; the name and the basic
// rate are checked against the table at every "Zapisz".
#include "dictionaries/RecordDialog.h"

class TForm_Nowa_Stawka : public dictionaries::NewRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Nowa_Stawka(QWidget* owner = nullptr);
};

extern TForm_Nowa_Stawka* Form_Nowa_Stawka;

#pragma once
// A new client ("Nowy Klient"). After a save the dialog keeps what was saved with "Zapisz"
// disabled until "Nowy" or the next showing.
#include "dictionaries/RecordDialog.h"

class TForm_Nowy_Klient : public dictionaries::NewRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Nowy_Klient(QWidget* owner = nullptr);
};

extern TForm_Nowy_Klient* Form_Nowy_Klient;

#pragma once
// Changing a client's data ("Popraw dane Klienta"); the number stays.
#include "dictionaries/RecordDialog.h"

class TForm_Popraw_Klient : public dictionaries::EditRecordDialog {
    Q_OBJECT
public:
    explicit TForm_Popraw_Klient(QWidget* owner = nullptr);
};

extern TForm_Popraw_Klient* Form_Popraw_Klient;

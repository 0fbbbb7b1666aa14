#pragma once
// The add-line dialog: a new line goes into the empty last row of the caller's grid.
#include "documents/LineDialog.h"

class TForm_Faktura_Nowa_Pozycja : public documents::LineDialog {
    Q_OBJECT
public:
    explicit TForm_Faktura_Nowa_Pozycja(QWidget* owner = nullptr);

    QPushButton* BitBtn_Pob_Tow;
    QPushButton* BitBtn_Anuluj;

public slots:
    void BitBtn_Pob_TowClick();
    void DBLCBox_VatCloseUp();
    void BitBtn_WstawClick();
    void BitBtn_AnulujClick();

protected:
    void showing() override;
};

extern TForm_Faktura_Nowa_Pozycja* Form_Faktura_Nowa_Pozycja;

namespace documents {
// What every caller does on "Dodaj pozyc.": presets the add dialog with the caller code and the
// price mode, opens its rates and shows it modally.
void Dodaj_Pozycje(const QString& typ, const QString& tryb);
} // namespace documents

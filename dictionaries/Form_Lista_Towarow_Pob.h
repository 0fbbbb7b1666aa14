#pragma once
// The goods pick ("Pobierz towar / usługę") of the add-line dialog: only goods not archived are
// offered; "Wstaw" copies the chosen goods into the add-line dialog with the net or the gross
// sale price by that dialog's price mode. Closing the pick, however it happens, takes the filter
// off the shared goods table again.
#include "dictionaries/PickDialog.h"

class TForm_Lista_Towarow_Pob : public dictionaries::PickDialog {
    Q_OBJECT
public:
    explicit TForm_Lista_Towarow_Pob(QWidget* owner = nullptr);

    // Copies the current goods into Form_Faktura_Nowa_Pozycja.
    void Wstaw_Dane_Towaru();

    ui::DbGrid* DBGrid1;

protected:
    void wstawDane() override { Wstaw_Dane_Towaru(); }
};

extern TForm_Lista_Towarow_Pob* Form_Lista_Towarow_Pob;

#pragma once
// The client pick ("Pobierz Klienta...") of the VAT invoice, pro forma and invoice-editing
// windows: the caller says who it is through Ustaw_Typ_Faktury ("FV", "PFV", "FV_P") and shows
// the pick modally; "Wstaw" fills that window's client block and closes. Closing the pick puts
// its sort and search back to the client number.
#include "dictionaries/PickDialog.h"

class TForm_Lista_Klientow_Pob : public dictionaries::PickDialog {
    Q_OBJECT
public:
    explicit TForm_Lista_Klientow_Pob(QWidget* owner = nullptr);

    void Ustaw_Typ_Faktury(const QString& typ) { Typ_Faktury = typ; }
    // Copies the current client into the client block of the window named by Typ_Faktury.
    void Wstaw_Dane_Klienta();

    QString Typ_Faktury;
    ui::DbGrid* JvDBUltimGrid1;

    // The configuration both client picks share (the note's pick differs in three details).
    static dictionaries::UstawieniaWyboru ustawienia(bool nota);

protected:
    void wstawDane() override { Wstaw_Dane_Klienta(); }
};

extern TForm_Lista_Klientow_Pob* Form_Lista_Klientow_Pob;

// What "Pobierz Klienta" of a document window does: names the caller and shows the pick.
void Pobierz_Klienta(const QString& typ);

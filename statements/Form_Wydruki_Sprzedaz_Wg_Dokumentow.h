#pragma once
// "Sprzedaż wg. dokumentów - wydruk": the documents of the chosen types issued in a period. The
// type boxes keep their state between showings.
#include "statements/Wydruk_Sprzedazy.h"

class QCheckBox;

class TForm_Wydruki_Sprzedaz_Wg_Dokumentow : public statements::Wydruk_Sprzedazy {
    Q_OBJECT
public:
    explicit TForm_Wydruki_Sprzedaz_Wg_Dokumentow(QWidget* owner = nullptr);

    QDateEdit* JvOdDaty;
    QDateEdit* JvDoDaty;
    QCheckBox* CBox_FV;
    QCheckBox* CBox_KFV;
    QCheckBox* CBox_PFV;
    QCheckBox* CBox_NFV;

protected:
    void Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od, const QByteArray& do_) override;
};

extern TForm_Wydruki_Sprzedaz_Wg_Dokumentow* Form_Wydruki_Sprzedaz_Wg_Dokumentow;

#pragma once
// "Sprzedaż wg. Klientów" (and for one client): every client with the lines sold to it in a
// period, and the client's sums after its lines.
#include "reportlib/Sprzedaz_Form.h"

#include <optional>

class TQRMDForm_Sprzedaz_Wg_Klientow : public TSprzedaz_Form {
public:
    explicit TQRMDForm_Sprzedaz_Wg_Klientow(QObject* owner);

    report::SqlRowSource ADOTable1; // Klient_Sprzedaz, the rows of one client together

    // The lines of the period, of one client when `klient` is given.
    void Otworz(const Okres& okres, const std::optional<QString>& klient);
};

// The form while a call of its entry point runs (nullptr outside one).
extern TQRMDForm_Sprzedaz_Wg_Klientow* QRMDForm_Sprzedaz_Wg_Klientow __asm__("_QRMDForm_Sprzedaz_Wg_Klientow")
    __attribute__((visibility("default")));

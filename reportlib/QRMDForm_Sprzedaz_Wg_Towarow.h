#pragma once
// "Sprzedaż wg. towarów / usług" (and for one item): every goods item with the lines that sold
// it in a period, and the item's sums after its lines.
#include "reportlib/Sprzedaz_Form.h"

#include <optional>

class TQRMDForm_Sprzedaz_Wg_Towarow : public TSprzedaz_Form {
public:
    explicit TQRMDForm_Sprzedaz_Wg_Towarow(QObject* owner);

    report::SqlRowSource ADOTable1; // Towary_Sprzedaz by Symbol

    // The lines of the period, of one item when `symbol` is given.
    void Otworz(const Okres& okres, const std::optional<QString>& symbol);
};

// The form while a call of its entry point runs (nullptr outside one).
extern TQRMDForm_Sprzedaz_Wg_Towarow* QRMDForm_Sprzedaz_Wg_Towarow __asm__("_QRMDForm_Sprzedaz_Wg_Towarow")
    __attribute__((visibility("default")));

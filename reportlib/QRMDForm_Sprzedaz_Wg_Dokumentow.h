#pragma once
// "Sprzedaż wg. dokumentów": the documents of a period in order of issue, each with its lines,
// the document's totals after its lines and the sums of all printed lines at the end.
#include "reportlib/Sprzedaz_Form.h"

// Which document types a report covers (none set: every type).
struct Rodzaje_Dokumentow {
    bool FV = false, KFV = false, PFV = false, NFV = false;
};

// The condition on the documents of a period and of the chosen types, with its values to bind.
struct Warunek {
    QString sql;
    QVariantList wartosci;
};
Warunek Warunek_Dokumentow(const Okres& okres, const Rodzaje_Dokumentow& rodzaje);

class TQRMDForm_Sprzedaz_Wg_Dokumentow : public TSprzedaz_Form {
public:
    explicit TQRMDForm_Sprzedaz_Wg_Dokumentow(QObject* owner);

    report::SqlRowSource ADOTable_Faktura;           // Faktura_Kwerenda, by issue date
    report::SqlRowSource ADOTable_Faktura_Szczegoly; // the current document's lines by Lp

    void Otworz(const Okres& okres, const Rodzaje_Dokumentow& rodzaje);
};

// The form while a call of its entry point runs (nullptr outside one).
extern TQRMDForm_Sprzedaz_Wg_Dokumentow* QRMDForm_Sprzedaz_Wg_Dokumentow __asm__("_QRMDForm_Sprzedaz_Wg_Dokumentow")
    __attribute__((visibility("default")));

#pragma once
// What the corrected-line dialog needs of the correction invoice window: a place for one more
// corrected line. The window adds it to its three grids and its sums; the dialog knows nothing
// else about the window.
#include "documents/Document.h"

#include <QStringList>

namespace corrections {

class CorrectionTarget {
public:
    virtual ~CorrectionTarget() = default;
    // `cells` are the 17 cells of the new state of the line (cell 0 is numbered by the window),
    // `before` the line of the invoice view that it replaces.
    virtual void Dodaj_Pozycje_Korekty(const QStringList& cells, const documents::DocumentLine& before) = 0;
    // Whether the correction's totals and VAT rows with that line too stay within what a document
    // takes (documents::totalsWithinBound).
    virtual bool Miesci_Sie(const QStringList& cells, const documents::DocumentLine& before) const = 0;
};

} // namespace corrections

#pragma once
// The edit-line dialog: rewrites a line of the caller's grid (its number and symbol stay).
#include "documents/LineDialog.h"

class TForm_Faktura_Popraw_Pozycje : public documents::LineDialog {
    Q_OBJECT
public:
    explicit TForm_Faktura_Popraw_Pozycje(QWidget* owner = nullptr);

    void Ustaw_Poprawiany_Wiersz(int wiersz) { Poprawiany_Wiersz = wiersz; }
    // The line's values before the change. The caller's totals are summed again from the grid
    // after the change, so these only document what the line was.
    void Ustaw_Stara_Wartosc_Netto(long double w) { Stara_Wartosc_Netto = w; }
    void Ustaw_Stara_Wartosc_Brutto(long double w) { Stara_Wartosc_Brutto = w; }

    int Poprawiany_Wiersz = 0;
    long double Stara_Wartosc_Netto = 0;
    long double Stara_Wartosc_Brutto = 0;

public slots:
    void BitBtn_WstawClick();

protected:
    void showing() override;
};

extern TForm_Faktura_Popraw_Pozycje* Form_Faktura_Popraw_Pozycje;

namespace documents {
class LineGridModel;
// What every caller does on "Popraw pozyc.": when `row` is a line of `grid`, presets the edit
// dialog with it (caller code, price mode, row, entry, old values, rate), shows it modally and
// returns true; otherwise does nothing.
bool Popraw_Pozycje(const QString& typ, const QString& tryb, const LineGridModel& grid, int row);
} // namespace documents

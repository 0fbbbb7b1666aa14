#pragma once
// The state of one run of TTxStringGrid::BuildPages, shared by the layout and the page drawing.
#include "grid/Txgrid.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>

namespace grid {

struct TTxStringGrid::TPrintRun {
    ui::Canvas* Canvas = nullptr;
    TPrintMethod Method = prCalcPrint;
    int TotalPages = -1;
    TGridRect Range;
    double Dpi = 254.0;           // device dots per inch
    double ResolutionRatio = 1.0; // device / grid window pixels per inch
    double ScreenToPaper = 254.0 / 96.0;
    QPointF Origin; // device position of the page's top-left corner
    int PageWidth = 0;
    int PageBottom = 0; // negative
    QFont HeaderFont, FooterFont;
    int HeaderTextHeight = 0, FooterTextHeight = 0, PrintTextHeight = 0;
    int LineGap = 0, TextIndent = 0, ColumnSpacing = 0;
    int HeaderHeight = 0, FooterHeight = 0;
    double Fit = 1.0;
    std::vector<int> Widths;
    const TPrintBand* Band = nullptr;

    // A row's printed height from its measured height.
    int Pitch(int Height, int RowSpacing) const { return Height + Height / 8 + 2 * LineGap + RowSpacing; }

    static QFont PaperFont(const TTxStringGrid& Grid, const ui::Font& F);
    static int TextHeight(const QFont& F);
    static int TextWidth(const QFont& F, const QString& S);
};

} // namespace grid

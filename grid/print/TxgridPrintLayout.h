#pragma once
// The page layout of a grid printout, free of any device: which columns form each horizontal
// band, where every printed column starts, which rows land on which page and at which height,
// and the texts of page numbers and of the header and footer positions.
//
// Units are tenths of a millimetre; x grows to the right from the printable area's left edge,
// y grows upwards from its top edge, so everything down the page is negative.
#include "grid/settings/TxgridSettings.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace grid {

// One horizontal band: a run of the range's columns printed side by side on its pages.
struct TPrintBand {
    int FirstCol = 0;
    int LastCol = 0;
    bool RepeatCols = false; // the fixed columns are printed again in front of the band
    int RepeatWidth = 0;
    int UsedWidth = 0;
    std::vector<int> Offsets; // x of each column's left edge, LastCol + 1 its right edge
};

struct TPrintRowPlace {
    int Row = 0;
    int Y = 0;             // top of the row
    int Pitch = 0;         // the row's height on paper
    bool Repeated = false; // a fixed row printed again at the top of the page
};

struct TPrintPage {
    int Band = 0;       // index into TPrintLayout::Bands
    int BandNumber = 1; // from 1
    int PageInBand = 0; // from 0
    std::vector<TPrintRowPlace> Rows;
    int EndY = 0;        // y below the last printed row
    bool Framed = false; // the page ends with a frame (every page but a trailing empty one)
};

struct TPrintLayout {
    std::vector<TPrintBand> Bands;
    std::vector<TPrintPage> Pages;
    bool MoreBands = false;
    int PageCount() const { return int(Pages.size()); }
};

// What the layout needs to know; the grid fills it from its settings and measurements.
struct TPrintLayoutInput {
    int FirstCol = 0, FirstRow = 0, LastCol = 0, LastRow = 0; // display indexes, inclusive
    std::vector<int> Widths;                                  // printed width of every column 0 .. LastCol
    int ColumnSpacing = 0;
    int PageWidth = 0;
    int PageBottom = 0; // negative
    int HeaderHeight = 0;
    int FooterHeight = 0;
    int TitleSpacing = 0;
    int LeftSize = 0;
    int RightSize = 0;
    bool Centered = false;
    int FixedCols = 0;
    int FixedRows = 0;
    bool RepeatFixedCols = false;
    bool RepeatFixedRows = false;
    std::function<int(int ARow)> RowPitch;     // height of a printed row
    std::function<bool(int ANextRow)> NewPage; // may force a page break after a row; optional
};

TPrintLayout LayoutPrintPages(const TPrintLayoutInput& In);

// The factor the column widths are scaled by to fit the page. Total is the sum of widths and
// spacings, Spacing the sum of spacings. Custom asks for permission when the factor is not 1.
double PrintFitFactor(TFitToPage Mode, int Total, int Spacing, int PageWidth, int LeftSize, int RightSize,
                      const std::function<void(double& Factor, bool& Allow)>& Custom = {});

// The number of page PageIndex (from 0): "2-1" for the second page of the first band when the
// layout has several bands, "n/total" with a separator and more than one page, else "n".
QString PrintPageNumber(const TPrintLayout& Layout, int PageIndex, int TotalPages, const QString& PageNumSep);

struct TPrintHeaderItems {
    QString Time; // "hh:nn"
    QString Date;
    QString Page;  // prefix, page number, suffix
    QString Title; // empty: none
};
// The texts of the six positions (indexed by TPrintPosition; ppNone stays empty). Items are
// added in the order time, date, page, title: in front at the left positions, appended at the
// others, each with one blank between.
std::array<QString, 7> PrintPositionTexts(const TPrintSettings& S, const TPrintHeaderItems& Items);

// Header and footer heights of every page.
int PrintHeaderHeight(const TPrintSettings& S, int LineGap, int HeaderTextHeight);
int PrintFooterHeight(const TPrintSettings& S, int LineGap, int FooterTextHeight);

// Where text of width W and height H rotated by Angle degrees (counter-clockwise) must start so
// that it sits in the rectangle (L, T, R, B; y growing downwards) as aligned; HAlign and VAlign
// are 0 left/top, 1 right/bottom, 2 centre.
QPoint RotatedTextPos(int Angle, int W, int H, int L, int T, int R, int B, int HAlign, int VAlign);
// The room text of width W and height H takes when rotated by Angle degrees.
QSize RotatedTextBox(int Angle, int W, int H);

// A date and time in the settings' date format (d, m, y, h, n for minutes, s).
QString PrintFormatDateTime(const QString& Format, const QDateTime& When);

} // namespace grid

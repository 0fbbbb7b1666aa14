#pragma once
// The state of one run of TGridPrinter::BuildPages, shared by the layout and the page drawing.
#include "grid/print/TxgridPrinter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPointF>

#include <array>
#include <deque>
#include <optional>

class QPainter;

namespace grid {

struct TGridPrinter::TPrintRun {
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

    // A cell font as printed and the texts measured in it during the run: the layout measures
    // every cell for the widths and again for the heights, and the page places its lines.
    struct TPaperFont {
        ui::Font Font;
        int PixelSize = 0;
        QFont Q;
        int Height = 0;
        int Width(const QString& S);
        // The ink of S drawn with its baseline at the origin, when it is predicted.
        std::optional<QRectF> Ink(const QString& S);
        // Whether S is a line of the font's own glyphs in a left-to-right script with no
        // control characters or combining marks: drawn as one run at its baseline. Its ink then
        // reaches no further across than its advance and the font's largest overhangs, and no
        // higher or lower than its highest and lowest glyph (InkTop, InkBottom: y downwards).
        bool Plain(const QString& S, qreal& InkTop, qreal& InkBottom);
        qreal Ascent = 0;
        qreal MinLeft = 0, MinRight = 0; // the font's least bearings (negative: ink overhangs)

    private:
        struct TGlyph {
            quint8 State = 0; // 0 not asked yet, 1 the font's, 2 not
            float Top = 0, Bottom = 0;
        };
        QHash<QString, int> Measured;
        QHash<QString, std::optional<QRectF>> Inked;
        std::array<TGlyph, 0x590> Glyphs{}; // by character
    };
    TPaperFont& FontFor(const TGridPrinter& Printer, const ui::Font& F);
    std::deque<TPaperFont> Fonts; // stays where it is while it grows
    TPaperFont* LastFont = nullptr;

    // The heights of the range's cells (by row, then column) as the column widths measured
    // them, at the font scale HeightsScale (0: none).
    std::vector<int> Heights;
    double HeightsScale = 0;

    // The cells of the page being drawn, and the font the page's painter has.
    std::vector<TPrintCell> Cells;
    const TPaperFont* PainterFont = nullptr;
    // Backgrounds of the cells [First, Last): one rectangle for each block of like cells.
    static void DrawBackgrounds(QPainter& P, const TPrintCell* First, const TPrintCell* Last);
    // Borders of the cells [First, Last) drawn with Pen, each line once.
    static void DrawBorders(QPainter& P, const TPrintCell* First, const TPrintCell* Last, const ui::Pen& Pen);

    // A row's printed height from its measured height.
    int Pitch(int Height, int RowSpacing) const { return Height + Height / 8 + 2 * LineGap + RowSpacing; }

    static int TextHeight(const QFont& F);
    static int TextWidth(const QFont& F, const QString& S);
};

// One cell of a printed row as the page draws it.
struct TGridPrinter::TPrintCell {
    int Col = 0, Rc = 0, Row = 0;   // display column, the column in the store, the row
    int L = 0, T = 0, R = 0, B = 0; // the cell's box on paper (y upwards)
    int LineR = 0;                  // where its borders end on the right (cut at the band's edge)
    bool BottomLine = true;
    bool Spanned = false; // a merged block
    ui::Brush Brush;
    ui::Font Font;
    TPrintRun::TPaperFont* Paper = nullptr;
    TAlignment Ha = taLeftJustify;
    TVAlignment Va = vtaTop;
    bool Ww = false;
    QString Text;
    ui::Pen Pen;
    TCellBorders Flags = 0;
};

} // namespace grid

#pragma once
// Formatted ("<B>...") and rich ("{\rtf...") texts on paper, drawn by the same renderers that
// paint them on screen. The painter draws in tenths of a millimetre with y downwards; fonts
// take the printout's sizes (MapFontHeight) and the text is clipped to its box.
#include "platform/ui/Font.h"

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace grid {

class TGridPrinter;

struct TPaperTextBox {
    QRectF Box;               // paper units, y downwards
    ui::Font Font;            // starting font (points) and colour
    double ScreenToPaper = 1; // paper units per screen pixel, fitting included
    bool WordWrap = false;    // rich text; formatted text wraps as the grid paints it
};

// F as the printout sets it: sized in tenths of a millimetre (MapFontHeight), at least one.
QFont PaperFont(const TGridPrinter& Printer, const ui::Font& F);
// Whether Text is drawn by a renderer rather than line by line.
bool IsFormattedForPrint(const TGridPrinter& Printer, const QString& Text);
// Draws Text (when Painter is given) and returns the room it takes in paper units.
QSize DrawPaperText(const TGridPrinter& Printer, QPainter* Painter, const QString& Text, const TPaperTextBox& Where);

} // namespace grid

#pragma once
// The bands of the document printouts, built for a form's Variant from shared pieces: the title
// band (seller, dates, document, buyer, payment), the lines (invoice or corrected lines with the
// column header, totals and VAT rows), the note's old and new buyer, the summary (amount, words,
// signatures, remarks) and the page footer. Positions are millimetres from a band's top left
// corner, as the report layer takes them.
//
// The English captions are small texts under their Polish ones; the English layouts place their
// Polish rows further apart to make room.
#include "platform/report/Report.h"

class TFakt_Form;

// Builds every band of the form for its variant.
void buildLayout(TFakt_Form& form);

namespace layout {

// The right margin, in millimetres from the band's left edge (A4 portrait, 10 mm margins).
constexpr double kRightEdge = 190.0;

// How far below a Polish text of that size its English caption starts.
inline double under(double points) { return points * 0.40; }

// A caption on the English layouts only (nothing on the Polish ones).
report::Label* english(const TFakt_Form& form, report::Band* band, const QString& name, double x, double y,
                       const QString& text, double points, report::Align align = report::Align::Left, double width = 0);

// A long text kept to one line within `room` millimetres from its x: a name or an address longer
// than that prints in a smaller size rather than over its neighbours or off the paper (and, too
// long even in the smallest size, over lines).
report::TextElement* oneLine(report::TextElement* text, double room);

void buildTitle(TFakt_Form& form);
void buildLines(TFakt_Form& form);
void buildNoteBuyers(TFakt_Form& form);
void buildSummary(TFakt_Form& form);
void buildPageFooter(TFakt_Form& form);

} // namespace layout

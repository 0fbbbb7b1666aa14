#pragma once
// Line arithmetic of the document windows and their line dialogs: the price mode, the values
// of one line and the checks of a typed line. No widgets here; the dialogs call these.
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

namespace documents {

// The user's number texts, strictly (sign, digits, the desktop's decimal separator): nothing
// when the text is not a number.
std::optional<long double> readNumber(const QString& text);
std::optional<int> readInteger(const QString& text);

// Whether line prices are net or gross. Stored and shown as "netto" / "brutto".
enum class PriceMode { Netto, Brutto };

QString priceModeText(PriceMode mode);
// Exactly "netto" or "brutto"; anything else is no mode.
std::optional<PriceMode> priceModeFromText(const QString& text);
// The program default kept as the digit "0" (netto) or "1" (brutto); a missing or unreadable
// value means netto, so a damaged setting never keeps a document window from opening.
PriceMode priceModeFromSetting(const QString& value);
// Combo index of a mode: 0 netto, 1 brutto.
inline int priceModeIndex(PriceMode mode) { return mode == PriceMode::Brutto ? 1 : 0; }

// Net value, VAT amount and gross value of one line, unrounded.
struct LineValues {
    long double net = 0;
    long double vat = 0;
    long double gross = 0;
};

// price × quantity less the discount (percent) at the rate (percent). In net mode the price is
// net, in gross mode it is gross and the net value is taken out of it. Returns nothing when
// the gross mode cannot take the net value out (a rate of -100 %).
std::optional<LineValues> computeLine(long double price, long double quantity, long double discount, long double rate,
                                      PriceMode mode);

// The largest amount a document takes, in absolute value, anywhere it prints: a price, a line's
// net, VAT and gross values, the totals and the VAT rows by rate (999 999 999,99 zł); and the
// largest quantity (9 999 999,999). Within them every amount of a printout reads whole in its
// column. A document stored with more still opens and prints.
constexpr qint64 MaxAmountGrosze = 99'999'999'999;
constexpr long double MaxQuantity = 9999999.999L;
// Whether an amount, rounded to the grosz as it is shown, is within MaxAmountGrosze; a quantity,
// rounded as shown, within MaxQuantity.
bool withinAmountBound(long double value);
bool withinQuantityBound(long double quantity);

// Which typed number makes a line's amounts larger than a document takes: the price alone, or
// the quantity multiplying it. The line dialogs refuse such a line on that field with
// amountTooLargeText.
enum class AmountFault { None, Price, Quantity };
AmountFault amountFault(long double price, const LineValues& values);
QString amountTooLargeText(AmountFault fault);
QString quantityTooLargeText();

// The amounts of a document's line as they print (a correction's: new less old) and its rate.
struct LineAmounts {
    QString rate;
    long double net = 0;
    long double vat = 0;
    long double gross = 0;
};
// Whether the totals of these lines and their sums by rate are all within MaxAmountGrosze.
bool totalsWithinBound(const std::vector<LineAmounts>& lines);
QString totalsTooLargeText();

// The entry of a line dialog, as typed.
struct LineEntry {
    QString symbol;
    QString nazwa;
    QString nazwaCd;
    QString pkwiu;
    QString cena;
    QString jm;
    QString ilosc;
    QString rabat;
    QString vatNazwa;      // the rate combo's text
    QString vatWart;       // the chosen rate's percent as shown
    bool czyPodst = false; // the chosen rate is the basic rate
};

// The control that gets the focus when a line is refused.
enum class LineField { Nazwa, Vat, PKWIU, Cena, Jm, Ilosc, Rabat };

struct LineFailure {
    QString message;
    LineField field;
};

// A checked line: the values and the 14 cells of a line grid row (cell 0, the line number, is
// left empty for the grid to fill).
struct LineResult {
    LineValues values;
    QStringList cells;
};

// Checks the entry in the dialogs' order and computes the line. The first failing check wins.
std::variant<LineFailure, LineResult> evaluateLine(const LineEntry& entry, PriceMode mode);

} // namespace documents

#pragma once
// The values of the spin edits without a window: the spin kinds, reading and writing their
// texts in the desktop's formats, clamping, stepping dates and times by the field the caret is
// in, the filter for typed characters, and where the spin button pair puts its two buttons.
#include "grid/controls/Txutil.h"

#include <QChar>
#include <QString>

namespace grid {

enum TTsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
// tbFocusRect: the button paints a focus rectangle; tbAllowTimer: it repeats while held.
enum TTimeBtnStateFlag : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned;

// The separator of hours, minutes and seconds in time texts.
QChar TimeSeparator();

// Equal bounds set no limit; otherwise the value is held between them.
template <class T>
T SpinClamp(T Value, T Min, T Max)
{
    if (Min == Max)
        return Value;
    if (Value < Min)
        return Min;
    if (Value > Max)
        return Max;
    return Value;
}

// A whole number (blanks around it allowed); Fallback when the text is none.
int SpinTextToInt(const QString& Text, int Fallback);
// A number with the desktop's decimal separator; Fallback when the text is none.
double SpinTextToFloat(const QString& Text, double Fallback);
// Precision decimals when above 0, else the shortest general form (15 significant digits).
QString SpinFloatToText(double Value, int Precision);

// The present moment (today from the program's clock, the time of day from the system's).
TDateTime SpinNow();
// A date in the desktop's short date format; "0" or empty text is Now, any other text that
// is no date gives Fallback.
TDateTime SpinTextToDate(const QString& Text, TDateTime Fallback, TDateTime Now);
QString SpinDateToText(TDateTime Value);
// A time of day "H:mm:ss" or "H:mm" as a fraction of a day; 0 when the text is none.
TDateTime SpinTextToTime(const QString& Text);
// The time of day of Value, "HH:mm:ss".
QString SpinTimeToText(TDateTime Value);

// The field the caret is in, by position: 0 up to the first separator, 1 up to the next one
// after it, 2 for the rest (also when a separator is missing).
int SpinCaretField(const QString& Text, int Caret, QChar Separator);
// Field 0 steps days, 1 months (the day held to the month's length), 2 years (29 February
// becomes 28 February in other years). The time of day is kept. EConvertError beyond the
// years 1 to 9999.
TDateTime SpinStepDate(TDateTime Value, int Field, int Delta);
// Field 0 steps hours, 1 minutes, 2 seconds. Down wraps through midnight to the end of the
// day; up does not wrap (the text shows the time of day only).
TDateTime SpinStepTime(TDateTime Value, int Field, bool Up);

// What the character filter looks at.
struct TSpinCharContext {
    QString Text;
    int SelStart = 0; // the caret, 0-based
    int SelLength = 0;
    TTsgSpinType SpinType = sptNormal;
    int Precision = 0;
    bool EditorEnabled = true;
};
// Whether a typed character may reach the text. A thousands separator typed into a float
// becomes the decimal separator (Key is changed).
bool SpinIsValidChar(QChar& Key, const TSpinCharContext& Context, const TRegional& R);

// The two buttons of a spin pair Width by Height pixels (the width already held to its
// minimum: 20 horizontal, 15 vertical).
struct TSpinButtonRects {
    ui::Rect Up, Down;
};
TSpinButtonRects SpinButtonLayout(TSpinDirection Direction, int Width, int Height);
inline int SpinButtonMinWidth(TSpinDirection Direction) { return Direction == spHorizontal ? 20 : 15; }

} // namespace grid

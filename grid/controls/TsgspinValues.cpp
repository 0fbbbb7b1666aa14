#include "grid/controls/TsgspinValues.h"

#include "grid/controls/TxgridError.h"
#include "platform/text/Dates.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Clock.h"

#include <QTime>
#include <cmath>

namespace grid {

namespace {
constexpr double kMsPerDay = 86400000.0;

void split(TDateTime Value, qint64& Days, double& Time)
{
    Days = qint64(std::trunc(Value));
    Time = std::fabs(Value - double(Days));
}

TDateTime join(qint64 Days, double Time) { return Days >= 0 ? double(Days) + Time : double(Days) - Time; }

const QDate& dayZero()
{
    static const QDate d(1899, 12, 30);
    return d;
}
} // namespace

QChar TimeSeparator() { return QLatin1Char(':'); }

int SpinTextToInt(const QString& Text, int Fallback)
{
    bool ok = false;
    const int v = text::parseInt(Text.trimmed(), &ok);
    return ok ? v : Fallback;
}

double SpinTextToFloat(const QString& Text, double Fallback)
{
    bool ok = false;
    const long double v = text::parseFloat(Text.trimmed(), &ok);
    return ok ? double(v) : Fallback;
}

QString SpinFloatToText(double Value, int Precision)
{
    if (Precision > 0)
        return text::formatFixed(Value, Precision);
    return text::formatGeneral(Value);
}

TDateTime SpinNow()
{
    const double time = QTime::currentTime().msecsSinceStartOfDay() / kMsPerDay;
    return DateToDateTime(ui::today()) + time;
}

TDateTime SpinTextToDate(const QString& Text, TDateTime Fallback, TDateTime Now)
{
    const QString t = Text.trimmed();
    if (t.isEmpty() || t == QLatin1String("0"))
        return Now;
    const QDate d = text::textToDate(t);
    return d.isValid() ? DateToDateTime(d) : Fallback;
}

QString SpinDateToText(TDateTime Value) { return text::dateToText(DateTimeToDate(Value)); }

TDateTime SpinTextToTime(const QString& Text)
{
    const QString t = Text.trimmed();
    QTime time = QTime::fromString(t, QStringLiteral("H:m:s"));
    if (!time.isValid())
        time = QTime::fromString(t, QStringLiteral("H:m"));
    if (!time.isValid())
        return 0;
    return time.msecsSinceStartOfDay() / kMsPerDay;
}

QString SpinTimeToText(TDateTime Value)
{
    qint64 days;
    double frac;
    split(Value, days, frac);
    const int ms = int(std::llround(frac * kMsPerDay) % qint64(kMsPerDay));
    return QTime::fromMSecsSinceStartOfDay(ms).toString(QStringLiteral("HH:mm:ss"));
}

int SpinCaretField(const QString& Text, int Caret, QChar Separator)
{
    const qsizetype first = Text.indexOf(Separator);
    if (first < 0)
        return 2;
    if (Caret <= first)
        return 0;
    const qsizetype second = Text.indexOf(Separator, first + 1);
    if (second >= 0 && Caret <= second)
        return 1;
    return 2;
}

TDateTime SpinStepDate(TDateTime Value, int Field, int Delta)
{
    qint64 days;
    double time;
    split(Value, days, time);
    const QDate d = dayZero().addDays(days);
    QDate next;
    switch (Field) {
    case 0: next = d.addDays(Delta); break;
    case 1: next = d.addMonths(Delta); break;
    default: next = d.addYears(Delta); break; // 29 February falls back to the 28th
    }
    if (!next.isValid() || next.year() < 1 || next.year() > 9999)
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return join(dayZero().daysTo(next), time);
}

TDateTime SpinStepTime(TDateTime Value, int Field, bool Up)
{
    static constexpr double steps[3] = {1.0 / 24, 1.0 / (24 * 60), 1.0 / (24 * 60 * 60)};
    const double step = steps[Field < 0 ? 0 : Field > 2 ? 2 : Field];
    if (Up)
        return Value + step;
    double v = Value + 1 - step;
    if (v > 1)
        v -= 1;
    return v;
}

bool SpinIsValidChar(QChar& Key, const TSpinCharContext& C, const TRegional& R)
{
    const char16_t k = Key.unicode();
    const QChar ts = TimeSeparator();
    bool ok = Key == QLatin1Char('+') || Key == QLatin1Char('-') || (k >= u'0' && k <= u'9')
        || Key == R.DecimalSeparator || Key == R.ThousandSeparator || Key == ts || Key == R.DateSeparator
        || (k < 32 && k != 13);
    if (Key == ts && C.SpinType != sptTime)
        ok = false;
    // A date separator that is also a sign (the desktop's "yyyy-MM-dd") still signs numbers.
    const bool sign = Key == QLatin1Char('+') || Key == QLatin1Char('-');
    if (Key == R.DateSeparator && C.SpinType != sptDate
        && !(sign && (C.SpinType == sptNormal || C.SpinType == sptFloat)))
        ok = false;
    if (C.SpinType == sptFloat && k != 8 && k != 13 && k != 27) {
        if (Key == R.ThousandSeparator)
            Key = R.DecimalSeparator;
        const qsizetype sep = C.Text.indexOf(R.DecimalSeparator);
        if (Key == R.DecimalSeparator && sep >= 0)
            ok = false;
        // No more decimals than the precision: the separator at 1-based p, the caret after
        // it, nothing selected and the decimals already there.
        const qsizetype p = sep + 1;
        if (C.Precision >= 1 && p > 0 && C.SelStart >= p && C.SelLength == 0 && C.Text.size() >= p + C.Precision)
            ok = false;
    }
    if (C.SpinType == sptTime && Key == ts && C.Text.count(ts) >= 2)
        ok = false;
    if (!C.EditorEnabled && (k >= 32 || k == 8))
        ok = false;
    return ok;
}

TSpinButtonRects SpinButtonLayout(TSpinDirection Direction, int Width, int Height)
{
    TSpinButtonRects r;
    if (Direction == spHorizontal) {
        const int half = Width / 2;
        r.Down = {0, 0, half, Height};
        r.Up = {half + 1, 0, half + 1 + half, Height};
    } else {
        const int upHeight = Height / 2;
        r.Up = {0, 0, Width, upHeight};
        r.Down = {0, upHeight - 1, Width, upHeight - 1 + (Height - upHeight + 1)};
    }
    return r;
}

} // namespace grid

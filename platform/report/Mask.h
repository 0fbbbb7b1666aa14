#pragma once
// Number masks of data-bound report texts: "0.00" (two decimals, the system's decimal
// separator, no thousands), "0.000", "0.00 zł" (literal text around the digits), "#,##0.00"
// (thousands separated), "#.##" (optional decimals). Halves round away from zero on the
// number's 15-digit decimal form, so 0.125 prints 0,13 and 2.675 prints 2,68.
#include <QString>
#include <QVariant>

namespace report {

// The regional settings that numbers and dates print with. A report run reads them once when it
// starts (a FormatsScope lives for the run) and every text of the run uses that reading, instead
// of reading the settings store for each of its thousands of numbers; outside a run they are
// read at each call.
struct Formats {
    QChar decimal;
    QChar thousand;
    QString shortDate;
    static Formats read();    // from the settings now
    static Formats current(); // the run's, or read()
};

class FormatsScope {
public:
    FormatsScope();
    ~FormatsScope();
    FormatsScope(const FormatsScope&) = delete;
    FormatsScope& operator=(const FormatsScope&) = delete;

private:
    Formats formats_;
    const Formats* previous_;
};

// The text an unmasked data field prints: a float in its shortest form with up to 15
// significant digits and the decimal separator ("2,5", "0"), a date in the short date format,
// a boolean "True"/"False", anything else as it is; empty text for null.
QString plainText(const QVariant& value);

QString formatNumber(double value, const QString& mask);

// A field value under a mask: empty text for a null value; numbers and numeric texts (with
// either '.' or ',' as decimal point) are formatted; other texts print as they are. An empty mask
// prints the value's text.
QString formatValue(const QVariant& value, const QString& mask);

} // namespace report

#pragma once
// One column of a dataset's current row. Obtained with Dataset::fieldByName (case-insensitive);
// reads the current row (or the edit buffer while editing/inserting), writes the edit buffer.
#include <QDate>
#include <QString>
#include <QVariant>

namespace data {

class Dataset;

// The kind of a column, from its declared type (INTEGER, FLOAT, TEXT, BOOLEAN, DATE).
// Unknown for computed columns (aggregates): their values keep SQLite's own types.
enum class FieldKind { Unknown, Integer, Float, Text, Boolean, Date };

class Field {
public:
    Field(Dataset* owner, int index, QString name, FieldKind kind);

    QString name() const { return name_; }
    FieldKind kind() const { return kind_; }
    int index() const { return index_; }

    bool isNull() const;
    QVariant value() const; // qint64, double, QString or null; booleans as bool, dates as QDate

    // Conversions. Null reads as "", 0, 0.0, false, invalid date.
    // Text: booleans "True"/"False"; dates in the short date format; floats in the shortest
    // form up to 15 significant digits with the decimal separator of the regional settings.
    QString asString() const;
    int asInteger() const; // floats round half away from zero; bad text throws data::Error
    qint64 asLargeInt() const;
    double asFloat() const; // text accepts the decimal separator or '.'
    bool asBoolean() const; // "True"/"False" (any case), non-zero numbers
    QDate asDate() const;   // stored yyyy-MM-dd, or text in the short date format

    // Setters need the dataset in Edit or Insert state (else data::Error). Text is converted
    // to the column's kind; "" gives null for non-text columns; bad text throws data::Error.
    void setValue(const QVariant& v);
    void setAsString(const QString& s);
    void setAsInteger(qint64 v);
    void setAsFloat(double v);
    void setAsBoolean(bool v);
    void setAsDate(const QDate& d);
    void clear();

    // Converts a raw stored value of this column's kind to the value() form.
    QVariant fromStored(const QVariant& raw) const;
    // The text of a value() form value, as asString() gives it.
    static QString toText(const QVariant& value);
    // A float in the shortest form up to 15 significant digits with the decimal separator.
    static QString formatFloat(double v);

private:
    QVariant raw() const;
    void setRaw(const QVariant& v);
    Dataset* owner_;
    int index_;
    QString name_;
    FieldKind kind_;
};

} // namespace data

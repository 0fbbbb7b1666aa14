#pragma once
// The grid library's exception classes.
#include <QString>
#include <stdexcept>

namespace grid {

// The library's own error ("Invalid Row accessed", "Columns is not in valid range", ...).
class ETxGridError : public std::runtime_error {
public:
    explicit ETxGridError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A text that does not form a valid date or number.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace grid

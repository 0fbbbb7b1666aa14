#pragma once
// Windows-1250 (Central European) text, the 8-bit form in which texts travel to and from the
// print libraries. Our own table: no codec library is needed.
#include <QByteArray>
#include <QString>

namespace text {

// Characters without a Windows-1250 byte become '?'; Fits, when given, tells whether there
// was none.
QByteArray toCp1250(const QString& text, bool* fits = nullptr);

// A NUL-terminated Windows-1250 text (nullptr gives empty text).
QString fromCp1250(const char* text);
QString fromCp1250(const QByteArray& bytes);

} // namespace text

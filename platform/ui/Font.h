#pragma once
// A font as the grid library passes it around: name, size in points, colour and style bits.
// Copying a Font copies all of it (an owned font is set by assignment).
#include "platform/ui/Colors.h"

#include <QFont>
#include <QString>

namespace ui {

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = unsigned;

struct Font {
    QString name = QStringLiteral("Tahoma");
    int size = 8; // points
    Color color = clWindowText;
    FontStyles style = 0;
    int orientation = 0; // tenths of a degree, for rotated text

    bool bold() const { return style & fsBold; }
    bool italic() const { return style & fsItalic; }
    bool underline() const { return style & fsUnderline; }
    bool strikeOut() const { return style & fsStrikeOut; }
    void setStyle(FontStyle s, bool on) { style = on ? (style | s) : (style & ~unsigned(s)); }

    // The Qt font for drawing and measuring (fontconfig substitutes a missing family).
    QFont toQFont() const;
    static Font fromQFont(const QFont& f, Color color = clWindowText);

    bool operator==(const Font&) const = default;
};

// The installed family that stands in for a designed one. The windows are designed for Tahoma
// (and MS Sans Serif), the printouts for Arial; neither is on the system. Arial becomes the
// metric-compatible Liberation Sans, Tahoma and MS Sans Serif a close sans that is no wider
// (Liberation Sans), so captions and columns fit the widths they were given. A family that is
// installed stays itself.
QString screenFamily(const QString& designed);

// The windows' font: Tahoma (as it stands in) at the designed 8 points.
QFont designedFont(int points = 8, bool bold = false);

// Makes the designed font the application's font and teaches the font matching the stand-ins,
// so a font asked for by its designed name anywhere gets the same face.
void useDesignedFonts();

} // namespace ui

#pragma once
// Formatted-text string helpers of the grid: plain text of formatted text, mapping between
// plain and formatted positions, wrapping found text in tags and removing them again, and
// two small platform helpers. Positions count from 1; 0 means "not found".
#include <QString>

class QWidget;

namespace grid {

// "<BR>" and "<HR>" (any case) become CR LF, then every tag is removed.
QString HTMLToPlainText(const QString& Text);
// Every tag removed; an unclosed "<" and what follows stay.
QString StripTags(const QString& Text);
// Where the N-th visible character stands in the formatted text (a tag directly before it
// belongs to its place); one past the last visible character gives the place after it; 0
// beyond that.
int PlainPosToHTMLPos(const QString& Text, int N);
int PosFrom(const QString& Sub, const QString& Text, int Offset, int& Pos, bool CaseSensitive);
QString HTMLHilight(const QString& Text, const QString& Find, const QString& Tag, bool CaseSensitive);
QString HTMLUnHilight(const QString& Text, const QString& Tag);
bool ReplaceFirst(const QString& Old, const QString& New, QString& Text);
// The window lets the mouse through to what lies under it.
void MakeWindowTransparent(QWidget* Window);
// The most significant 32 bits of the file version in a module's version resource; -1 when
// the file has none.
qint64 ModuleFileVersion(const QString& FileName);

// Small primitives for the renderer: position ignoring case, and the whole number a text
// begins with (0 when none).
int IPos(const QString& Sub, const QString& Text);
int LeadingInt(const QString& Text);

} // namespace grid

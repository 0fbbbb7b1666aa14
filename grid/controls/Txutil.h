#pragma once
// Text and conversion utilities of the grid library: classification, separators, line-break
// conventions of the import and export formats, wildcard and comparison matching for find
// and filter, date parsing for sorting, OEM conversion and two drawing helpers.
// Positions count from 1; 0 means "not found". An empty text to search for is never found.
#include "platform/ui/Canvas.h"
#include "platform/ui/Colors.h"
#include "platform/ui/StringGridCore.h"

#include <QChar>
#include <QDate>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

namespace grid {

using TColor = ui::Color;
using TRect = ui::Rect;
using TGridRect = ui::GridRect;

// A date and time as a number: whole days since 1899-12-30, the time of day as the fraction
// (for days before that date the fraction still counts forward from midnight). 0 stands for
// "not a date" where a function says so.
using TDateTime = double;
// The whole-day part as a date, and a date as a whole day number.
QDate DateTimeToDate(TDateTime Value);
TDateTime DateToDateTime(const QDate& Date);
// The date from its parts; EConvertError when they form no date.
TDateTime EncodeDate(int Year, int Month, int Day);

inline constexpr QChar CR = QChar(13);
inline constexpr QChar LF = QChar(10);

// The regional settings a conversion uses. Current() reads them from the desktop at each call.
struct TRegional {
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    QChar DateSeparator;
    QString ShortDateFormat;
    static TRegional Current();
};

// --- classification ----------------------------------------------------------------------
// 3 formula ("="), 2 rich text ("{\"), 1 formatted (only with HTML), 0 plain.
int TextType(const QString& Text, bool HTML);
// 0 integer, 1 number, 2 text.
int IsType(const QString& Text);
int IsType(const QString& Text, const TRegional& R);
bool IsURL(const QString& Text);
bool IsInGridRect(const TGridRect& Rect, int Col, int Row);
// "R12C3" gives Point (3, 12).
bool NameToCell(const QString& Name, QPoint& Point);
// The first character of Text that is in CharSet; QChar(0) when none.
QChar FirstChar(const QString& CharSet, const QString& Text);

// --- searching and counting --------------------------------------------------------------
int VarPos(const QString& Sub, const QString& Text, int& Pos);
int FIPos(const QString& Sub, const QString& Text);
int SinglePos(QChar Ch, const QString& Text, int& Pos);
int NumSingleChar(QChar Ch, const QString& Text);
int NumChar(QChar Ch, const QString& Text);
// When Separator occurs: Token = the text before it, Text loses everything through it, true.
bool GetToken(QString& Text, const QString& Separator, QString& Token);
inline int Max(int A, int B) { return A > B ? A : B; }
inline int Min(int A, int B) { return A < B ? A : B; }

// --- line breaks -------------------------------------------------------------------------
void GetNextLine(QString& Text, bool Multi, QString& Line);
int LinesInText(const QString& Text, bool Multi);
QString StringListToText(const QStringList& List);
// The quoted field of a multi-line cell: line ends LF, inner quotes doubled (QuoteMultiline).
void LineFeedsToCSV(QString& Text);
void CSVToLineFeeds(QString& Text);
void LineFeedsToJava(QString& Text);
void JavaToLineFeeds(QString& Text);
QString LineFeedsToXLS(const QString& Text);
QString CLFToLF(const QString& Text);
QString LFToCLF(const QString& Text);
// A text with a line end: CR as tab, LF as backspace, so that the line holds it.
QString LfToFile(const QString& Text);
QString FileToLf(const QString& Text, bool Multi);
QString HTMLLineBreaks(const QString& Text);

// --- other conversions -------------------------------------------------------------------
// "RRGGBB"; system colours are resolved to their current value first.
QString HTMLColor(TColor Color);
QString RemoveSeps(const QString& Text);
QString RemoveSeps(const QString& Text, const TRegional& R);
QString FixDecimalSeparator(const QString& Text);
QString FixDecimalSeparator(const QString& Text, const TRegional& R);
QString DoubleToSingleChar(QChar Ch, const QString& Text);
void StringToPassword(QString& Text, QChar Ch);
// The OEM code page is CP852 (Central European DOS). StringToOem leaves one character per
// OEM byte (U+0000..U+00FF), "?" for a character the code page lacks (then false);
// OemToString reads such a text back.
bool StringToOem(QString& Text);
void OemToString(QString& Text);
QString ShiftCase(const QString& Text);
QString RectString(const TRect& Rect);
// The time of day is kept. Raises EConvertError when the result is no valid date.
TDateTime GetNextDate(TDateTime Date, int Years, int Months, int Days, int Step);

// --- dates -------------------------------------------------------------------------------
// Month/day/year (US) or day/month/year (EU) with "/", "." or "-"; 0 when the text has
// another form; EConvertError when the numbers form no date.
TDateTime StrToShortdateUS(const QString& Text);
TDateTime StrToShortDateEU(const QString& Text);
// The date test of Matches: a date in the regional order, or 0.
TDateTime RegionalDate(const QString& Text, const TRegional& R);

// --- matching ----------------------------------------------------------------------------
bool Matches(const QString& Mask, const QString& Text);
bool Matches(const QString& Mask, const QString& Text, const TRegional& R);
bool MatchStr(const QString& Mask, const QString& Text, bool CaseSensitive);
bool MatchStrEx(const QString& Mask, const QString& Text, bool CaseSensitive);
// The same with the regional settings read once by the caller (filtering many rows).
bool MatchStr(const QString& Mask, const QString& Text, bool CaseSensitive, const TRegional& R);
bool MatchStrEx(const QString& Mask, const QString& Text, bool CaseSensitive, const TRegional& R);

// One term of a condition (the mask syntax of Matches), read once and tested against many
// texts: a wildcard pattern, or comparisons with their operands converted in advance.
class TMatchTerm {
public:
    TMatchTerm(const QString& Mask, const TRegional& R);
    bool Match(const QString& Text) const;

private:
    struct TOperand {
        TOperand() = default;
        TOperand(const QString& S, const TRegional& R);
        QString Text; // the first 255 characters, as text comparisons read them
        double Number = 0;
        bool IsNumber = false;
        TDateTime Date = 0;
    };
    struct TSide {
        bool Present = false, OrEqual = false;
        TOperand Operand;
    };
    int CompareTo(const QString& A, const TOperand& B) const;

    TRegional FR;
    bool FComparison = false, FNegate = false, FEither = false, FBoth = false;
    QString FPattern;
    TSide FGreater, FLess, FNotEqual;
};

// A whole condition of MatchStrEx (terms joined by "&", ";", "^" or "|"), read once.
class TMatchCondition {
public:
    TMatchCondition(const QString& Mask, bool CaseSensitive, const TRegional& R);
    bool Match(const QString& Text) const;

private:
    bool FCaseSensitive;
    std::vector<TMatchTerm> FTerms;
    std::vector<bool> FAnd; // the operator after each term is "&"
};

// --- drawing -----------------------------------------------------------------------------
// Draws Bitmap at Rect's top-left corner with the colour of its top-left pixel shown as Color.
void DrawBitmapTransp(ui::Canvas& Canvas, const QImage& Bitmap, TColor Color, const TRect& Rect);
// The same with a picture of the program's resources (":/" + Name); nothing when absent.
void DrawBitmapResourceTransp(ui::Canvas& Canvas, TColor Color, const TRect& Rect, const QString& Name);
// A red zigzag under Length characters from Position (counted from 0) of Text drawn in Rect.
void DrawErrorLines(ui::Canvas& Canvas, const QString& Text, const TRect& Rect, int Length, int Position,
                    int LineHeight);

} // namespace grid

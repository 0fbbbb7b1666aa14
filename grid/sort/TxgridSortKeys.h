#pragma once
// How a sort reads a cell: each cell becomes a key once (its class and its number or text),
// and two keys of a column compare as a strict weak order, so that any sorting algorithm
// gives one order in both directions.
#include "grid/core/TxgridTypes.h"
#include "grid/controls/Txutil.h"

#include <QCollator>
#include <QString>
#include <optional>

namespace grid {

// What one sort reads once instead of at every comparison: the desktop's regional settings
// and the locale's collators.
struct TSortContext {
    TRegional R = TRegional::Current();
    std::optional<QCollator> Case, NoCase;
    QCollator& Collator(bool CaseSensitive);
};

// Character by character in the platform code page's byte order (Windows-1250), the shorter
// text first when one begins the other.
int ByteCompare(const QString& A, const QString& B);

// Keys rank by class first. A cell the style cannot read as its kind (a text in a numeric
// column) sorts after the ones it can, by its text, instead of comparing "equal" to all of
// them; with the automatic style empty cells come first, then numbers, dates and texts.
enum TSortClass : qint8 { scEmpty, scNumber, scDate, scText, scHandler };

struct TSortKey {
    double Number = 0;
    TSortClass Class = scText;
    bool Blank = false; // the cell is empty (IgnoreBlanks places it)
};

// The key of a cell under Style (ssAutomatic decided from this cell alone). Text receives
// what a text comparison reads (upper-cased for ssAlphaNoCase, tags stripped for ssHTML, the
// cell itself for ssCustom) and is left untouched for keys that need no text. ssImages and
// ssRaw give scNumber and scHandler keys whose values the grid supplies.
TSortKey MakeSortKey(TSortStyle Style, const QString& Cell, const QString& Prefix, const QString& Suffix,
                     TSortContext& Ctx, QString& Text);

// Two keys made under the same Style: -1, 0 or +1. Keys of class scHandler compare 0 here:
// the handlers are the grid's.
int CompareSortKeys(TSortStyle Style, const TSortKey& A, const QString& TextA, const TSortKey& B, const QString& TextB,
                    TSortContext& Ctx);

} // namespace grid

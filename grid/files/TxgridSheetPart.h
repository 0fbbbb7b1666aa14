#pragma once
// A worksheet part as places in its UTF-8 bytes, for a save that rewrites some of it and
// copies the rest as it is: the <dimension>, the <sheetData>, each row and cell, each
// formula's text and cached value, the merged ranges. The part was read and checked by the workbook reader when
// the book was opened; the walk here is light, bounds-checked, and raises std::runtime_error
// on whatever it cannot place. Also what a formula's text can refer to.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

struct TPartCell {
    int Col = 0;
    std::int32_t Begin = 0, End = 0;                 // the whole <c> element
    std::int32_t StyleAt = -1, StyleLen = 0;         // the value of s=""
    std::int32_t TypeBegin = -1, TypeEnd = -1;       // t="…" of a formula cell, with the blank before it
    std::int32_t ValueBegin = -1, ValueEnd = -1;     // the <v> element of a formula cell
    std::int32_t Formula = -1;                       // index into TSheetPart::Formulas; -1: none
    std::int32_t FormulaBegin = -1, FormulaEnd = -1; // the whole <f> element
    std::int32_t Shared = -1;                        // the shared formula it belongs to (si="")
    bool Master = false;                             // other cells share its formula (or array)
};

// A formula given for a block of cells: a shared formula (the text of its first cell, the
// others reading it with their references moved) or an array formula.
struct TFormulaBlock {
    int Row = 0, Col = 0;                       // its first cell, whose <f> holds the text
    int Row1 = 0, Col1 = 0, Row2 = 0, Col2 = 0; // the cells it covers (ref="")
    std::int32_t Shared = -1;                   // si=""; -1: an array (or data table)
    std::int32_t Formula = -1;                  // index into TSheetPart::Formulas
};

struct TPartRow {
    int Row = 0;
    std::int32_t Begin = 0, TagEnd = 0, End = 0;
    std::vector<TPartCell> Cells;
};

struct TSheetPart {
    std::int32_t DataBegin = -1, DataTagEnd = -1, DataEnd = -1;
    bool DataEmpty = false; // <sheetData/>
    QByteArray Prefix;      // of the <sheetData> element ("x:" or "")
    std::int32_t DimensionBegin = -1, DimensionEnd = -1;
    std::int32_t DimensionAt = -1; // where a missing <dimension> goes
    std::vector<TPartRow> Rows;
    std::vector<std::string> Formulas; // each formula's text, entities decoded
    std::vector<TFormulaBlock> Blocks; // every shared and array formula's first cell
    std::vector<TFormulaBlock> Merges; // the merged ranges: their cells only (Row1 .. Col2)
};

// The part's places; with FormulasOnly the rows keep only their formula cells.
TSheetPart ScanSheetPart(const QByteArray& Xml, bool FormulasOnly = false);

// What a formula can read: Refs when it names any cell, range or name at all; Anywhere when
// it may read any sheet (a defined name, INDIRECT, a table, a range of sheets, another
// book); Sheets the sheets it names.
struct TFormulaRefs {
    bool Refs = false, Anywhere = false;
    QStringList Sheets;
};
TFormulaRefs FormulaRefs(const std::string& Text);
// A formula's text (UTF-8) as it reads in a cell Rows below and Cols right of its own, as a
// shared formula's other cells read it: relative references moved, absolute ones kept, one
// moved off the sheet "#REF!".
std::string MovedFormula(const std::string& Text, int Rows, int Cols);

// Text as XML character data in UTF-8: markup escaped, characters XML cannot hold written as
// the format's _xHHHH_ (and a literal "_x" escape pattern protected by _x005F_).
void AppendEscaped(QByteArray& Out, const QString& Text);

// The attribute Name (as written) of the tag at Tag: the place of its value, or false.
bool TagAttribute(std::string_view Tag, std::string_view Name, std::size_t& ValueAt, std::size_t& ValueLen);

} // namespace grid

#pragma once
// The grid's find options and the state kept between one search and the next.
#include <QPoint>
#include <QString>

namespace grid {

enum TFindParameters : unsigned {
    fnMatchCase = 0x001,          // compare case-sensitively
    fnMatchFull = 0x002,          // the whole cell must equal the text
    fnMatchRegular = 0x004,       // the text is a wildcard pattern (MatchStrEx)
    fnDirectionLeftRight = 0x008, // row by row; otherwise column by column
    fnMatchStart = 0x010,         // the text must stand at the start of the cell
    fnFindInCurrentRow = 0x020,
    fnFindInCurrentCol = 0x040,
    fnIncludeFixed = 0x080,       // fixed rows and columns, right fixed columns, footer rows too
    fnAutoGoto = 0x100,           // the found cell becomes the current cell
    fnIgnoreHTMLTags = 0x200,     // formatting tags are removed before matching
    fnBackward = 0x400,
};
using TFindParams = unsigned; // a set of TFindParameters

struct TFindState {
    QString Text;              // upper-cased unless fnMatchCase
    TFindParams Params = 0;
    QPoint Pos{-1, -1};        // the last found cell; (-1, -1) after a miss
    QString Typed;             // characters collected for the typing-to-find navigation
};

} // namespace grid

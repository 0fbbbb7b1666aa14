#pragma once
// TGridFinder: finding cells by their text, and typing to find on the key column. It keeps
// the options and the cell of the last search and the characters typed so far; the grid's
// functions of the same names forward here (Txgrid.h says what each does). It sees the grid
// through sorting's host.
#include "grid/core/TxgridTypes.h"

#include <QPoint>
#include <QString>

namespace grid {

class TSortHost;

class TGridFinder {
public:
    explicit TGridFinder(TSortHost& Host) : G(Host) {}
    TGridFinder(const TGridFinder&) = delete;
    TGridFinder& operator=(const TGridFinder&) = delete;

    TPoint FindFirst(const QString& AText, TFindParams Params);
    TPoint FindNext();
    TPoint Find(TPoint Start, const QString& AText, TFindParams Params);
    bool MatchCell(int ACol, int ARow);
    int Search(const QString& AText);
    void SearchKey(const QString& Typed);
    // A navigation key, a click or a cleared grid: the next character typed starts anew.
    void ForgetTyped() { FTyped.clear(); }

private:
    TSortHost& G;
    QString FText; // upper-cased unless fnMatchCase
    TFindParams FParams = 0;
    QPoint FPos{-1, -1}; // the last found cell; (-1, -1) after a miss
    QString FTyped;      // characters collected for the typing-to-find navigation
};

} // namespace grid

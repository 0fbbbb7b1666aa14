#pragma once
// Grouping rows by a column, group calculations and the footer row's calculations, as part of
// the grid (TTxStringGrid derives from TGridGrouping). Rows are displayed rows, columns real
// (store) columns.
#include <QString>

namespace grid {

class TTxStringGrid;

class TGridGrouping {
public:
    // Sorts by real column ACol, puts a node row showing the value above each run of equal
    // values (in the column right of the first normal one) and takes the column out. Nothing
    // for a fixed column; a grouped grid is ungrouped first. Footer rows stay out.
    void Group(int ACol);
    // Expands every node, puts the column back (width, header text, values) and removes the
    // node rows. Nothing when not grouped.
    void UnGroup();
    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int ACol); // -1 ungroups, above 0 groups, anything else does nothing
    // Each node row gets the calculation over its group's displayed rows, in the float format.
    void GroupSum(int ACol) { GroupCalc(ACol, 1); }
    void GroupAvg(int ACol) { GroupCalc(ACol, 2); }
    void GroupCount(int ACol) { GroupCalc(ACol, 3); }
    void GroupMin(int ACol) { GroupCalc(ACol, 4); }
    void GroupMax(int ACol) { GroupCalc(ACol, 5); }
    // The footer cell of ACol (every column for -1) from its calculation type, when the
    // floating footer shows the last row as a fixed row. A column whose cells are not all
    // numbers keeps its footer text.
    void CalcFooter(int ACol);
    void UpdateFooter(); // repaints the footer panel

private:
    TTxStringGrid& Self();
    void GroupCalc(int ACol, int Type);
    int FGroupColumn = -1;
    int FGroupWidth = 0;
    QString FGroupCaption;
    bool FInFooterCalc = false;
};

} // namespace grid

// The cell checker as the grid uses it: on request over a range, and on a validated edit.
#include "grid/controls/Tsgcheck.h"
#include "grid/core/Txgrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

// Capitalises sentences and marks the word "zle" in tag e; records the current cell it saw.
class MarkingCheck : public TCapitalCheck {
public:
    TTxStringGrid* grid = nullptr;
    std::vector<std::pair<int, int>> visits;
    int starts = 0, stops = 0;
    QString MarkError(int ACol, int ARow, const QString& Value) override
    {
        if (grid)
            visits.emplace_back(grid->col() * 100 + grid->row(), ACol * 100 + ARow);
        return HiLight(Value, QStringLiteral("zle"), QStringLiteral("e"), false);
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
};

} // namespace

TEST(GridCellCheck, RangeOnRequestCorrectsMarksAndReturns)
{
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3); // one fixed row and column
    g.SetCellEx(1, 1, QStringLiteral("Dobrze."));
    g.SetCellEx(2, 1, QStringLiteral("ala. ZLE"));
    g.SetCellEx(1, 2, QStringLiteral("Bez zmian"));
    g.SetCellEx(0, 1, QStringLiteral("nagłówek"));
    g.moveCurrentRaw(2, 2);
    MarkingCheck c;
    c.grid = &g;
    c.UseCorrect = c.UseMarkError = c.GotoCell = true;
    g.CellChecker = &c;

    EXPECT_FALSE(g.CheckGrid(false));
    EXPECT_EQ(g.GetCellEx(2, 1), QStringLiteral("Ala. <e>ZLE</e>"));
    EXPECT_EQ(g.GetCellEx(1, 1), QStringLiteral("Dobrze."));
    EXPECT_EQ(g.GetCellEx(0, 1), QStringLiteral("nagłówek")); // fixed cells only when asked
    EXPECT_EQ(c.starts, 1);
    EXPECT_EQ(c.stops, 1);
    ASSERT_EQ(c.visits.size(), 4u); // row by row, the current cell on each
    for (const auto& v : c.visits)
        EXPECT_EQ(v.first, v.second);
    EXPECT_EQ(c.visits[1].second, 201);
    EXPECT_EQ(c.visits[2].second, 102);
    EXPECT_EQ(g.col(), 2); // back where it was, selection too
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.selection().Left, 2);
    EXPECT_EQ(g.selection().Top, 2);

    c.UseMarkError = false; // correcting again finds nothing to change
    EXPECT_TRUE(g.CheckGrid(false));
    c.UseMarkError = true;

    c.UseCorrect = false; // marking only, without moving
    c.GotoCell = false;
    g.SetCellEx(1, 2, QStringLiteral("zle"));
    EXPECT_FALSE(g.CheckCell(1, 2));
    EXPECT_EQ(g.GetCellEx(1, 2), QStringLiteral("<e>zle</e>"));

    TTxStringGridCheck base;
    base.UseCorrect = base.UseMarkError = true;
    g.CellChecker = &base;
    EXPECT_TRUE(g.CheckGrid(true));
}

TEST(GridCellCheck, EditedValueCorrectedBeforeValidationMarkedAfter)
{
    TTxStringGrid g;
    MarkingCheck c;
    g.CellChecker = &c;
    QString seen;
    g.OnCellValidate = [&](TTxStringGrid&, int, int, QString& Value, bool& Valid) {
        seen = Value;
        Valid = !Value.contains(QStringLiteral("zle"), Qt::CaseInsensitive);
    };
    QString v = QStringLiteral("to zle");
    EXPECT_FALSE(g.CheckEditedValue(1, 1, v)); // switches off: the value passes unchanged
    EXPECT_EQ(v, QStringLiteral("to zle"));

    c.AutoCorrect = c.AutoMarkError = true;
    EXPECT_FALSE(g.CheckEditedValue(1, 1, v));
    EXPECT_EQ(seen, QStringLiteral("To zle")); // the handler saw the corrected text
    EXPECT_EQ(v, QStringLiteral("To <e>zle</e>"));

    v = QStringLiteral("dobrze");
    EXPECT_TRUE(g.CheckEditedValue(1, 1, v));
    EXPECT_EQ(v, QStringLiteral("Dobrze"));
}

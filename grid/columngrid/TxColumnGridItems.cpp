// The column grid's items and their collection.
#include "grid/columngrid/TxColumnGrid.h"

#include <algorithm>

namespace grid {

// --- TGridColumnItem ---------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TGridColumnCollection& Collection) : FCollection(Collection)
{
    if (const TTxColumnGrid* g = Collection.Grid()) {
        FWidth = g->defaultColWidth(); // the width its new column has
        FColor = g->controlColor();
        FFont = g->controlFont();
        PrintFont = g->controlFont();
    }
}

int TGridColumnItem::Index() const { return FCollection.IndexOf(this); }

QString TGridColumnItem::DisplayName() const
{
    return Name.isEmpty() ? QStringLiteral("Column ") + QString::number(Index()) : Name;
}

TTxColumnGrid* TGridColumnItem::Grid() const { return FCollection.Attached() ? FCollection.Grid() : nullptr; }

void TGridColumnItem::Changed() { FCollection.Update(this); }

void TGridColumnItem::Assign(const TGridColumnItem& Source)
{
    if (&Source == this)
        return;
    Fields(2, [&](auto Member) { this->*Member = Source.*Member; });
    EditLink = Source.EditLink;
    FColumnPopup = Source.FColumnPopup;
    // What the setters do besides storing the value.
    SetWidth(Source.FWidth);
    SetHeader(Source.FHeader);
}

bool TGridColumnItem::SameSettings(const TGridColumnItem& Other) const
{
    bool same = true;
    Fields(2, [&](auto Member) { same = same && this->*Member == Other.*Member; });
    return same;
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Changed();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    Changed();
}

void TGridColumnItem::SetBorderPen(const ui::Pen& Value)
{
    FBorderPen = Value;
    Changed();
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    Changed();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    const bool repaint = (Value == edDataCheckBox) != (FEditor == edDataCheckBox);
    FEditor = Value;
    if (TTxColumnGrid* g = Grid(); g && repaint)
        g->Invalidate();
}

void TGridColumnItem::SetFilter(const QStringList& Value)
{
    FFilter = Value;
    if (TTxColumnGrid* g = Grid())
        g->Invalidate();
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    Changed();
}

void TGridColumnItem::SetFont(const ui::Font& Value)
{
    FFont = Value;
    Changed();
}

void TGridColumnItem::SetHeader(const QString& Value)
{
    FHeader = Value;
    TTxColumnGrid* g = Grid();
    if (!g)
        return;
    if (g->fixedRows() > 0 && !g->FMoving) {
        g->setCells(Index(), 0, Value);
        Changed();
    }
    g->RebuildColumnHeaders();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    Changed();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    Changed();
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    if (TTxColumnGrid* g = Grid())
        g->SetAllColWidths(Index(), Value);
}

QString TGridColumnItem::Rows(int ARow) const
{
    const TTxColumnGrid* g = FCollection.Grid();
    return g ? g->cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString& Value)
{
    if (TTxColumnGrid* g = FCollection.Grid())
        g->setCells(Index(), ARow, Value);
}

int TGridColumnItem::Ints(int ARow) const { return FCollection.Grid()->GetInts(Index(), ARow); }
void TGridColumnItem::SetInts(int ARow, int Value) { FCollection.Grid()->SetInts(Index(), ARow, Value); }
double TGridColumnItem::Floats(int ARow) const { return FCollection.Grid()->GetFloats(Index(), ARow); }
void TGridColumnItem::SetFloats(int ARow, double Value) { FCollection.Grid()->SetFloats(Index(), ARow, Value); }
TDateTime TGridColumnItem::Dates(int ARow) const { return FCollection.Grid()->GetDates(Index(), ARow); }
void TGridColumnItem::SetDates(int ARow, TDateTime Value) { FCollection.Grid()->SetDates(Index(), ARow, Value); }
TDateTime TGridColumnItem::Times(int ARow) const { return FCollection.Grid()->GetTimes(Index(), ARow); }
void TGridColumnItem::SetTimes(int ARow, TDateTime Value) { FCollection.Grid()->SetTimes(Index(), ARow, Value); }

// --- TGridColumnCollection ---------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TTxColumnGrid* Grid, bool Attached) : FGrid(Grid), FAttached(Attached) {}

TGridColumnCollection::~TGridColumnCollection()
{
    // Items going with their grid reach nothing.
    FAttached = false;
    FItems.clear();
}

TGridColumnItem* TGridColumnCollection::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[std::size_t(Index)].get() : nullptr;
}

int TGridColumnCollection::IndexOf(const TGridColumnItem* Item) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item)
            return int(i);
    return -1;
}

TGridColumnItem* TGridColumnCollection::Add() { return Insert(Count()); }

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    auto item = std::make_unique<TGridColumnItem>(*this);
    TGridColumnItem* raw = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    Update(nullptr);
    return raw;
}

void TGridColumnCollection::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FItems.erase(FItems.begin() + Index);
    Update(nullptr);
}

void TGridColumnCollection::Clear()
{
    FItems.clear();
    Update(nullptr);
}

void TGridColumnCollection::Assign(const TGridColumnCollection& Source)
{
    if (&Source == this)
        return;
    {
        TColumnUpdateHold hold(*this);
        FItems.clear();
        for (int i = 0; i < Source.Count(); ++i) {
            FItems.push_back(std::make_unique<TGridColumnItem>(*this));
            FItems.back()->Assign(*Source.Items(i));
        }
    }
    Update(nullptr);
}

void TGridColumnCollection::Move(int From, int To)
{
    if (From == To || From < 0 || To < 0 || From >= Count() || To >= Count())
        return;
    if (From < To)
        std::rotate(FItems.begin() + From, FItems.begin() + From + 1, FItems.begin() + To + 1);
    else
        std::rotate(FItems.begin() + To, FItems.begin() + From, FItems.begin() + From + 1);
    Update(nullptr);
}

void TGridColumnCollection::Update(TGridColumnItem*)
{
    if (NoRecursiveUpdate || !FAttached || !FGrid)
        return;
    const int n = Count() - FGrid->NumHiddenColumns();
    if (FGrid->ColCount() != n && n > FGrid->FixedCols())
        FGrid->SetColCount(n);
    FGrid->Invalidate();
}

} // namespace grid

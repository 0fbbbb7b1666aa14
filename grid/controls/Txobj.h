#pragma once
// Small classes the grid builds on: integer lists that report changes with the cell they
// belong to, sort index lists, a picture known by its file name, an arrow-shaped position
// marker window and a borderless caption window.
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

#include <QPolygon>
#include <QString>
#include <functional>
#include <vector>

namespace grid {

class TIntList {
public:
    using TIntListChangeEvent = std::function<void(TIntList& Sender, int ACol, int ARow)>;

    TIntList(int ACol = -1, int ARow = -1) : FCol(ACol), FRow(ARow) {}
    virtual ~TIntList() = default;

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    // The cell the list belongs to, when the cell moves.
    void SetCell(int ACol, int ARow)
    {
        FCol = ACol;
        FRow = ARow;
    }
    int Count() const { return int(FItems.size()); }

    void Add(int Value);
    void Delete(int Index);
    void SetInteger(int Index, int Value);
    int GetInteger(int Index) const;
    // Empties the list without a change notice.
    void Clear() { FItems.clear(); }

    TIntListChangeEvent OnChange;

protected:
    void Changed();

private:
    int FCol, FRow;
    std::vector<int> FItems;
};

// Each entry is a column index in bits 0..30; bit 31 set means descending.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;
    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const; // position or -1
    void ToggleIndex(int ColumnIndex);
    static int Column(int Entry) { return Entry & 0x7FFFFFFF; }
    static bool Descending(int Entry) { return Entry < 0; }
};

class TFilePicture {
public:
    QString FileName() const { return FFileName; }
    // Stores the name and reads the picture's size; a file that is no readable picture
    // raises ETxGridError.
    void SetFileName(const QString& Name);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Draws the picture stretched into Rect; nothing without a name.
    void DrawPicture(ui::Canvas& Canvas, const ui::Rect& Rect) const;

private:
    QString FFileName;
    int FWidth = 0, FHeight = 0;
};

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A small lime arrow used as a position marker (column moves). arrLeft and arrRight name the
// side of the marked position the window stands on, so their arrows point inwards.
class TArrowWindow : public ui::Control {
    Q_OBJECT
public:
    TArrowWindow(QWidget* AOwner, TArrowDirection Direction);
    TArrowDirection Direction() const { return FDirection; }
    QPolygon Outline() const { return FOutline; }
    static QPolygon OutlineFor(TArrowDirection Direction);

private:
    TArrowDirection FDirection;
    QPolygon FOutline;
};

// A borderless top-most window showing a caption (no input).
class TPopupButton : public ui::Control {
    Q_OBJECT
public:
    explicit TPopupButton(QWidget* AOwner = nullptr);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

protected:
    void paint(ui::Canvas& Canvas) override;

private:
    QString FCaption;
    bool FFlat = false;
};

} // namespace grid

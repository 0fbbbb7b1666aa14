#pragma once
// The panel along the grid's bottom that paints the floating footer: the grid's last row,
// a preview of one column's cell of the current row, or a template of cells as formatted text.
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

#include <QRegularExpression>
#include <QString>
#include <functional>

namespace grid {

class TTxStringGrid;

class TFooterPanel : public ui::Control {
public:
    explicit TFooterPanel(TTxStringGrid& AGrid);
    TTxStringGrid& Grid() const { return FGrid; }
    // The painted width: the fixed columns and the columns from the first visible
    // scrollable one to the last.
    int FooterWidth() const;
    // The custom preview's text for the current row.
    QString CustomText() const;
    void PaintTo(ui::Canvas& Canvas);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void Frame(ui::Canvas& Canvas, int W, int H);
    TTxStringGrid& FGrid;
};

// The custom-preview text of the floating footer: every "<#n>" is replaced by CellText(n);
// a tag whose number is not an integer is removed.
QString FooterTemplateText(const QString& Template, const std::function<QString(int)>& CellText);

} // namespace grid

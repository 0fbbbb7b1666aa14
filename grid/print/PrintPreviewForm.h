#pragma once
// The modal print preview of a grid: one page at a time, drawn by the grid's printer.
#include <QDialog>
#include <QSize>

class QLabel;
class QPushButton;

namespace grid {

class TGridPrinter;

class TPrintPreviewForm : public QDialog {
public:
    explicit TPrintPreviewForm(TGridPrinter& Printer, QWidget* Parent = nullptr);

    int PageNr() const { return FPage; }
    int PageCount() const { return FPages; }
    void ShowPage(int PageNr);
    // The page as shown: the printed page at the screen's resolution.
    QImage RenderPage(int PageNr);

private:
    TGridPrinter& FPrinter;
    QLabel* FImage = nullptr;
    QLabel* FInfo = nullptr;
    QPushButton* FPrev = nullptr;
    QPushButton* FNext = nullptr;
    int FPage = 1;
    int FPages = 1;
    QSize FPageSize;
};

} // namespace grid

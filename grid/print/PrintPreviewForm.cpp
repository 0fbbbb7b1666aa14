#include "grid/print/PrintPreviewForm.h"

#include "grid/print/TxgridPrinter.h"
#include "platform/ui/Connect.h"
#include "platform/ui/Modal.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {
constexpr int kDpi = 96;
} // namespace

TPrintPreviewForm::TPrintPreviewForm(TGridPrinter& Printer, QWidget* Parent) : QDialog(Parent), FPrinter(Printer)
{
    FPages = std::max(1, FPrinter.LayOutPreview());
    // The printed page at the preview's resolution.
    const QSize paper = FPrinter.PreviewPaper();
    FPageSize = QSize(int(std::lround(paper.width() * kDpi / 254.0)), int(std::lround(paper.height() * kDpi / 254.0)));
    setWindowTitle(QStringLiteral("Podgląd wydruku"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    FPrev = new QPushButton(QStringLiteral("Poprzednia"), this);
    FNext = new QPushButton(QStringLiteral("Następna"), this);
    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    FInfo = new QLabel(this);
    buttons->addWidget(FPrev);
    buttons->addWidget(FNext);
    buttons->addWidget(FInfo, 1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    auto* scroll = new QScrollArea(this);
    FImage = new QLabel;
    scroll->setWidget(FImage);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    resize(FPageSize.width() + 60, 700);

    ui::on(FPrev, &QPushButton::clicked, this, [this] { ShowPage(FPage - 1); });
    ui::on(FNext, &QPushButton::clicked, this, [this] { ShowPage(FPage + 1); });
    ui::on(close, &QPushButton::clicked, this, [this] { accept(); });
    ShowPage(1);
}

QImage TPrintPreviewForm::RenderPage(int PageNr)
{
    QImage img(FPageSize, QImage::Format_RGB32);
    img.setDotsPerMeterX(int(std::lround(kDpi / 0.0254)));
    img.setDotsPerMeterY(int(std::lround(kDpi / 0.0254)));
    img.fill(Qt::white);
    QPainter painter(&img);
    ui::Canvas canvas(&painter);
    FPrinter.DrawPreviewPage(canvas, PageNr);
    return img;
}

void TPrintPreviewForm::ShowPage(int PageNr)
{
    const QImage img = RenderPage(std::clamp(PageNr, 1, std::max(1, FPages)));
    FPage = std::clamp(PageNr, 1, FPages);
    if (FPage != PageNr)
        FImage->setPixmap(QPixmap::fromImage(RenderPage(FPage)));
    else
        FImage->setPixmap(QPixmap::fromImage(img));
    FInfo->setText(QStringLiteral("Strona %1 z %2").arg(FPage).arg(FPages));
    FPrev->setEnabled(FPage > 1);
    FNext->setEnabled(FPage < FPages);
}

void TGridPrinter::ShowPrintPreview()
{
    TPrintPreviewForm form(*this, FHost->Widget());
    ui::showModal(&form);
}

} // namespace grid

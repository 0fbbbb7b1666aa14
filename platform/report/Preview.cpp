#include "platform/report/Preview.h"

#include "platform/report/Output.h"
#include "platform/ui/Connect.h"
#include "platform/ui/WindowFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace report {

PreviewDialog::PreviewDialog(const PageStore& pages, const QString& caption, QWidget* parent)
    : QDialog(parent), pages_(pages)
{
    build(caption);
}

PreviewDialog::PreviewDialog(const PageList& pages, const QString& caption, QWidget* parent)
    : QDialog(parent), view_(std::make_unique<PageListView>(pages)), pages_(*view_)
{
    build(caption);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::build(const QString& caption)
{
    setWindowTitle(caption.isEmpty() ? pages_.title() : caption);
    setModal(true);
    resize(900, 1000);

    auto* buttons = new QHBoxLayout;
    prev_ = new QPushButton(QStringLiteral("Poprzednia strona"), this);
    next_ = new QPushButton(QStringLiteral("Następna strona"), this);
    auto* printButton = new QPushButton(QStringLiteral("Drukuj"), this);
    auto* closeButton = new QPushButton(QStringLiteral("Zamknij"), this);
    pageLine_ = new QLabel(this);
    buttons->addWidget(prev_);
    buttons->addWidget(next_);
    buttons->addWidget(pageLine_);
    buttons->addStretch();
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    image_ = new QLabel;
    scroll_->setWidget(image_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(scroll_);

    ui::on(prev_, &QPushButton::clicked, this, [this] { showPage(current_ - 1); });
    ui::on(next_, &QPushButton::clicked, this, [this] { showPage(current_ + 1); });
    ui::on(closeButton, &QPushButton::clicked, this, [this] { accept(); });
    // A printing failure is shown in the program's message dialog; the preview stays open.
    ui::on(printButton, &QPushButton::clicked, this, [this] { print(pages_, PrintJob{pages_.title(), QString(), 1}); });
    showPage(0);
}

void PreviewDialog::showPage(int index)
{
    if (pages_.pageCount() == 0)
        index = 0;
    else
        index = std::clamp(index, 0, pages_.pageCount() - 1);
    current_ = index;
    refresh();
}

void PreviewDialog::setVisible(bool visible)
{
    // A page's height and more where the screen has it, within the screen where it has not.
    if (visible && !isVisible())
        ui::fitToScreen(this);
    QDialog::setVisible(visible);
    if (visible)
        refresh(); // at the size it was shown at
}

void PreviewDialog::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    refresh();
}

void PreviewDialog::refresh()
{
    const int count = pages_.pageCount();
    pageLine_->setText(QStringLiteral("Strona %1 z %2").arg(count ? current_ + 1 : 0).arg(count));
    prev_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < count);
    if (!count) {
        image_->clear();
        return;
    }
    // Fit the page's width into the window: the scrolled area's width as the window's layout has
    // set it (its viewport follows only once it is shown), less a vertical scroll bar.
    const int avail =
        std::max(200, scroll_->contentsRect().width() - scroll_->verticalScrollBar()->sizeHint().width() - 20);
    const double dpi = avail / (pages_.setup().paperWidth() / 25.4);
    const QImage img = renderPage(pages_.page(current_), pages_.setup(), dpi);
    image_->setPixmap(QPixmap::fromImage(img));
    image_->resize(img.size());
}

} // namespace report

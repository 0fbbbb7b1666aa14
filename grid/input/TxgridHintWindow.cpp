#include "grid/input/TxgridHintWindow.h"

#include "grid/text/TxgridHTML.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace grid {

QRect HintWindowRect(QPoint Anchor, int TextW, int TextH, const QRect& Screen)
{
    QRect r(Anchor, QSize(TextW + 16, TextH + 4));
    const int right = Screen.x() + Screen.width() - 2, bottom = Screen.y() + Screen.height() - 2;
    if (r.x() + r.width() > right)
        r.moveLeft(right - r.width());
    if (r.y() + r.height() > bottom)
        r.moveTop(bottom - r.height());
    return r;
}

THTMLHintWindow::THTMLHintWindow(QWidget* Parent) : QWidget(Parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
}

static THTMLRenderResult MeasureHint(const QString& Text, int Width, const std::shared_ptr<ui::TextMeasurer>& M)
{
    ui::Canvas c;
    if (M)
        c.setMeasurer(M);
    THTMLRenderOptions o;
    o.MeasureOnly = true;
    o.URLColor = ui::clBlue;
    THTMLRenderResult res;
    RenderHTMLText(c, Text, ui::Rect{0, 0, Width, 4096}, o, res);
    return res;
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& Text)
{
    const THTMLRenderResult r = MeasureHint(Text, MaxWidth, FMeasurer);
    FTextWidth = r.MaxLineWidth;
    FTextHeight = r.TotalHeight;
    return TRect{0, 0, FTextWidth, FTextHeight};
}

void THTMLHintWindow::ActivateHint(TRect R, const QString& Text)
{
    FText = Text;
    CalcHintRect(1008, Text);
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    setGeometry(HintWindowRect(QPoint(R.Left, R.Top), FTextWidth, FTextHeight, area));
    show();
    raise();
    update();
}

void THTMLHintWindow::SetText(const QString& Text)
{
    FText = Text;
    update();
}

void THTMLHintWindow::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    ui::Canvas c(&p);
    if (FMeasurer)
        c.setMeasurer(FMeasurer);
    const int w = width(), h = height();
    c.brush.color = FColor;
    c.fillRect(ui::Rect{0, 0, w, h});
    c.pen.color = ui::cl3DLight;
    c.moveTo(0, h - 1);
    c.lineTo(0, 0);
    c.lineTo(w - 1, 0);
    c.pen.color = ui::cl3DDkShadow;
    c.lineTo(w - 1, h - 1);
    c.lineTo(0, h - 1);
    THTMLRenderOptions o;
    o.URLColor = ui::clBlue;
    THTMLRenderResult res;
    const int top = (h - FTextHeight) / 2;
    RenderHTMLText(c, FText, ui::Rect{4, top, w - 4, top + FTextHeight}, o, res);
}

} // namespace grid

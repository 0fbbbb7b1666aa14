#include "grid/controls/Tsgcombo.h"

#include "grid/controls/Txxpvs.h"
#include "platform/ui/Connect.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace grid {

bool IsMouseButtonDown() { return QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton); }

TTSGCustomCombo::TTSGCustomCombo(QWidget* AOwner) : QComboBox(AOwner)
{
    setControlColor(ui::clWindow);
    FButtonWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    FOldColor = controlColor();
    FOldParentColor = FParentColor;
    setAttribute(Qt::WA_Hover);
    setEditable(true);
    if (lineEdit())
        lineEdit()->setFrame(false);
    resize(145, 21);
    ApplyPalette();
}

// --- properties --------------------------------------------------------------------------

void TTSGCustomCombo::SetStyle(TComboBoxStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    QLineEdit* edit = lineEdit();
    setEditable(Value == csDropDown || Value == csSimple);
    // The line edit a list-only combo drops goes at once: Qt deletes it later, and deleting
    // it while the combo has the focus takes the focus from the combo.
    if (edit && !lineEdit())
        delete edit;
    if (lineEdit()) {
        lineEdit()->setFrame(false);
        lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    }
    ShowSimpleList(Value == csSimple);
    PlaceEditField();
    update();
}

void TTSGCustomCombo::ShowSimpleList(bool Show)
{
    if (!Show) {
        delete FList;
        FList = nullptr;
        return;
    }
    if (FList)
        return;
    FList = new QListView(this);
    FList->setModel(model());
    FList->setModelColumn(modelColumn());
    FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FList->setFocusPolicy(Qt::NoFocus);
    if (currentIndex() >= 0)
        FList->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
    ui::on(FList, &QListView::clicked, this, [this](const QModelIndex& i) { setCurrentIndex(i.row()); });
    ui::on(this, &QComboBox::currentIndexChanged, FList,
           [this](int i) { FList->setCurrentIndex(model()->index(i, modelColumn(), rootModelIndex())); });
    // The list stays open under the edit: a control no taller than its edit grows to show it.
    const int edit = SimpleEditHeight();
    if (height() < edit + 2 * FList->sizeHintForRow(0) + 4)
        resize(width(),
               edit + std::max(1, std::min(count(), maxVisibleItems())) * std::max(16, FList->sizeHintForRow(0)) + 4);
    FList->show();
}

int TTSGCustomCombo::SimpleEditHeight() const { return QFontMetrics(font()).height() + 8; }

void TTSGCustomCombo::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (lineEdit())
        lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TTSGCustomCombo::SetText(const QString& Value)
{
    if (isEditable())
        setEditText(Value);
    else
        setCurrentIndex(findText(Value));
}

void TTSGCustomCombo::SetCtl3D(bool Value)
{
    if (FCtl3D == Value)
        return;
    FCtl3D = Value;
    update();
}

void TTSGCustomCombo::SetParentColor(bool Value)
{
    FParentColor = Value;
    if (Value)
        setControlColor(ParentBrushColor(this));
}

void TTSGCustomCombo::SetFlat(bool Value)
{
    if (FFlat == Value)
        return;
    FFlat = Value;
    FCtl3D = !Value;
    PlaceEditField();
    update();
}

void TTSGCustomCombo::SetEtched(bool Value)
{
    if (FEtched == Value)
        return;
    FEtched = Value;
    update();
}

void TTSGCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32)
        return;
    FButtonWidth = Value;
    PlaceEditField();
    update();
}

void TTSGCustomCombo::SetDropWidth(int Value) { FDropWidth = Value; }

void TTSGCustomCombo::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

bool TTSGCustomCombo::DroppedDown() const { return view() && view()->isVisible(); }

bool TTSGCustomCombo::Is3DBorderControl() const
{
    if (designing())
        return false;
    return (FMouseInControl || hasFocus()) && FocusBorder;
}

bool TTSGCustomCombo::Is3DBorderButton() const
{
    if (designing())
        return isEnabled();
    return FMouseInControl || hasFocus();
}

// --- the list ----------------------------------------------------------------------------

void TTSGCustomCombo::showPopup()
{
    if (FStyle == csSimple)
        return; // its list is always open
    QComboBox::showPopup();
    if (FDropWidth > 0 && view()) {
        // The list is never narrower than the control.
        QWidget* list = view()->window();
        if (list != window())
            list->resize(std::max(FDropWidth, list->width()), list->height());
    }
    update(QRect(width() - FButtonWidth, 0, FButtonWidth, height()));
}

void TTSGCustomCombo::hidePopup()
{
    QComboBox::hidePopup();
    update(QRect(width() - FButtonWidth, 0, FButtonWidth, height()));
}

void TTSGCustomCombo::mousePressEvent(QMouseEvent* e)
{
    // The own button, wherever the style would put its arrow.
    if (FFlat && FStyle != csSimple && e->button() == Qt::LeftButton && e->position().x() >= width() - FButtonWidth) {
        e->accept();
        if (DroppedDown())
            hidePopup();
        else
            showPopup();
        return;
    }
    QComboBox::mousePressEvent(e);
}

// --- painting ----------------------------------------------------------------------------

void TTSGCustomCombo::DrawBorders(ui::Canvas& Canvas)
{
    if (!FFlat)
        return;
    DrawControlBorder(Canvas);
    if (FStyle != csSimple)
        DrawButtonBorder(Canvas);
}

void TTSGCustomCombo::DrawControlBorder(ui::Canvas& Canvas)
{
    ui::Rect r{0, 0, width(), height()};
    const bool threeD = Is3DBorderControl();
    const ui::Color outer = threeD ? ui::clBtnFace : ParentBrushColor(this);
    const ui::Color inner = controlColor();
    if (threeD) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        Canvas.frameRect(r, outer);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    Canvas.frameRect(r, outer);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    Canvas.frameRect(r, inner);
}

void TTSGCustomCombo::DrawButtonBorder(ui::Canvas& Canvas)
{
    const int w = width(), h = height();
    const ui::Rect whole{0, 0, w, h};
    if (Canvas.painter())
        ExcludeClipRect(*Canvas.painter(), whole, {w - FButtonWidth + 4, 4, w - 4, h - 4});
    // From two pixels left of the button, shrunk by 2.
    ui::Rect r{w - FButtonWidth, 2, w - 2, h - 2};
    if (Is3DBorderButton()) {
        DrawEdge(Canvas, r, FEtched ? unsigned(EDGE_ETCHED) : unsigned(EDGE_RAISED),
                 BF_RECT | (DroppedDown() ? unsigned(BF_FLAT) : 0u));
    } else {
        const ui::Brush saved = Canvas.brush;
        Canvas.brush = ui::Brush{ui::clBtnFace};
        Canvas.fillRect({r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1});
        Canvas.brush = saved;
    }
    if (Canvas.painter())
        ExcludeClipRect(*Canvas.painter(), whole, r);
}

void TTSGCustomCombo::PaintText(ui::Canvas& Canvas, const ui::Rect& R)
{
    if (isEditable())
        return; // the edit field paints itself
    Canvas.font = controlFont();
    if (hasFocus() && !DroppedDown()) {
        Canvas.brush = ui::Brush{ui::clHighlight};
        Canvas.fillRect(R);
        Canvas.font.color = ui::clHighlightText;
    }
    if (!isEnabled())
        Canvas.font.color = ui::clGrayText;
    Canvas.drawText({R.Left + 2, R.Top, R.Right, R.Bottom}, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    currentText());
}

void TTSGCustomCombo::paintEvent(QPaintEvent* e)
{
    if (!FFlat) {
        QComboBox::paintEvent(e);
        return;
    }
    QPainter p(this);
    ui::Canvas canvas(&p);
    const int w = width(), h = height();
    const ui::Rect whole{0, 0, w, h};
    canvas.brush = ui::Brush{controlColor()};
    canvas.fillRect(whole);
    if (FStyle != csSimple) {
        const ui::Rect button{w - FButtonWidth + 1, 1, w - 1, h - 1};
        QStyle* theme = ThemeStyle();
        if (FIsWinXP && theme) {
            QStyleOptionButton o;
            o.initFrom(this);
            o.rect = button.toQRect();
            o.state |= IsMouseButtonDown() ? QStyle::State_Sunken : QStyle::State_Raised;
            theme->drawControl(QStyle::CE_PushButtonBevel, &o, &p, this);
            QStyleOption a;
            a.initFrom(this);
            a.rect = button.toQRect().adjusted(3, 3, -3, -3);
            theme->drawPrimitive(QStyle::PE_IndicatorArrowDown, &a, &p, this);
        } else {
            DrawScrollArrow(canvas, button, saDown, false, true);
        }
        ExcludeClipRect(p, whole, {w - FButtonWidth - 4, 0, w + 2, h});
    }
    PaintText(canvas, {3, 3, w - FButtonWidth - 4, h - 3});
    // The whole control again for the borders. Not by switching clipping off: a region set
    // after that is not applied, and the button's face would cover its arrow.
    p.setClipRegion(QRegion(whole.toQRect()));
    DrawBorders(canvas);
}

// --- state -------------------------------------------------------------------------------

void TTSGCustomCombo::PlaceEditField()
{
    if (!lineEdit())
        return;
    const int right = FFlat && FStyle != csSimple ? width() - FButtonWidth - 4 : width() - 3;
    const int edit = FList ? SimpleEditHeight() : height();
    lineEdit()->setGeometry(3, 3, std::max(0, right - 3), std::max(0, edit - 6));
    if (FList)
        FList->setGeometry(2, edit, std::max(0, width() - 4), std::max(0, height() - edit - 2));
}

void TTSGCustomCombo::ApplyPalette()
{
    QPalette pal = palette();
    const QColor back = ui::toQColor(controlColor());
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Text, ui::toQColor(controlFont().color));
    setPalette(pal);
    setFont(controlFont().toQFont());
}

void TTSGCustomCombo::controlChanged()
{
    ApplyPalette();
    update();
}

void TTSGCustomCombo::resizeEvent(QResizeEvent* e)
{
    QComboBox::resizeEvent(e);
    PlaceEditField();
}

void TTSGCustomCombo::showEvent(QShowEvent* e)
{
    QComboBox::showEvent(e);
    PlaceEditField();
}

void TTSGCustomCombo::enterEvent(QEnterEvent* e)
{
    QComboBox::enterEvent(e);
    if (!FMouseInControl && isEnabled()) {
        FMouseInControl = true;
        update();
    }
    if (AutoFocus)
        setFocus(Qt::MouseFocusReason);
}

void TTSGCustomCombo::leaveEvent(QEvent* e)
{
    QComboBox::leaveEvent(e);
    if (FMouseInControl && isEnabled()) {
        FMouseInControl = false;
        update();
    }
}

void TTSGCustomCombo::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    if (!designing())
        update();
}

void TTSGCustomCombo::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (!designing())
        update();
}

void TTSGCustomCombo::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange && FFlat) {
        if (isEnabled()) {
            FParentColor = FOldParentColor;
            setControlColor(FOldColor);
        } else {
            // A disabled control shows its parent's colour.
            FOldParentColor = FParentColor;
            FOldColor = controlColor();
            SetParentColor(true);
        }
    }
    QComboBox::changeEvent(e);
}

} // namespace grid

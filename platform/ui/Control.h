#pragma once
// The base of the grid library's small custom controls: a widget with a colour and a font in
// the library's terms, a design-time flag, and painting through a Canvas.
#include "platform/ui/Canvas.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Font.h"

#include <QWidget>

namespace ui {

// What every control of the library carries, whether it is a plain widget or a scroll area.
class ControlState {
public:
    virtual ~ControlState() = default;

    Color controlColor() const { return color_; }
    void setControlColor(Color c);
    const Font& controlFont() const { return font_; }
    void setControlFont(const Font& f);

    // True while a form designer hosts the control: run-time only work is skipped.
    bool designing() const { return designing_; }
    void setDesigning(bool d) { designing_ = d; }

protected:
    // Called after the colour or font changed.
    virtual void controlChanged() {}

private:
    Color color_ = clBtnFace;
    Font font_;
    bool designing_ = false;
};

class Control : public QWidget, public ControlState {
    Q_OBJECT
public:
    explicit Control(QWidget* parent = nullptr, Qt::WindowFlags f = {});

    void invalidate() { update(); }

protected:
    // Draws the control; the base fills it with its colour.
    virtual void paint(Canvas& canvas);
    void paintEvent(QPaintEvent*) override;
    void controlChanged() override { update(); }
};

} // namespace ui

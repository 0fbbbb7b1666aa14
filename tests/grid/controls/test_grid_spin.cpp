// Spin edits under a Polish desktop (decimal comma): stepping and clamping of each kind, the
// typed-character filter, the keys, and auto-repeat driven through a fake timer.
#include "grid/controls/Tsgspin.h"
#include "grid/controls/TxgridError.h"
#include "grid/TxgridStartup.h"
#include "support/DesktopSettings.h"
#include "platform/ui/Clock.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// A timer that runs only when the test moves time on.
class FakeTimer : public TRepeatTimer {
public:
    FakeTimer() { last = this; }
    ~FakeTimer() override
    {
        if (last == this)
            last = nullptr;
    }
    void SetInterval(int Milliseconds) override
    {
        interval = Milliseconds;
        elapsed = 0; // a running timer starts counting again
    }
    int Interval() const override { return interval; }
    void Start() override
    {
        active = true;
        elapsed = 0;
    }
    void Stop() override { active = false; }
    bool Active() const override { return active; }
    void Advance(int Milliseconds)
    {
        while (active && Milliseconds > 0) {
            const int step = std::min(Milliseconds, interval - elapsed);
            elapsed += step;
            Milliseconds -= step;
            if (elapsed >= interval) {
                elapsed = 0;
                if (OnTimer)
                    OnTimer();
            }
        }
    }
    int interval = 0, elapsed = 0;
    bool active = false;
    static inline FakeTimer* last = nullptr;
};

class Spin : public DesktopSettings {
protected:
    void SetUp() override
    {
        DesktopSettings::SetUp();
        setPolish(QStringLiteral("yyyy-MM-dd"));
        SetBeepHandler([this] { ++beeps; });
        SetRepeatTimerFactory([] { return std::make_unique<FakeTimer>(); });
    }
    void TearDown() override
    {
        SetBeepHandler({});
        SetRepeatTimerFactory({});
        DesktopSettings::TearDown();
    }
    // Steps with the caret at Caret.
    static QString StepAt(TTsgSpinEdit& e, const QString& text, int caret, bool up)
    {
        e.setText(text);
        e.setCursorPosition(caret);
        up ? e.UpClick(nullptr) : e.DownClick(nullptr);
        return e.text();
    }
    int beeps = 0;
};

bool Accepts(const QString& text, int caret, QChar key, TTsgSpinType type, int precision = 0, bool editor = true,
             QChar* out = nullptr)
{
    const TRegional r = TRegional::Current();
    QChar k = key;
    const bool ok = SpinIsValidChar(k, {text, caret, 0, type, precision, editor}, r);
    if (out)
        *out = k;
    return ok;
}

} // namespace

TEST_F(Spin, IntegersStepAndClampAndEqualBoundsSetNoLimit)
{
    TTsgSpinEdit e;
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    e.UpClick(nullptr);
    EXPECT_EQ(e.text(), QStringLiteral("1"));
    e.SetValue(150);
    EXPECT_EQ(e.text(), QStringLiteral("100"));
    e.setText(QStringLiteral("x"));
    e.MinValue = -5;
    EXPECT_EQ(e.Value(), -5); // unreadable text gives the minimum
    e.MinValue = e.MaxValue = 7;
    e.SetValue(150);
    EXPECT_EQ(e.text(), QStringLiteral("150"));
    e.SetValue(std::numeric_limits<int>::max());
    e.UpClick(nullptr); // held at the end of the integers, not wrapped
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::max());
    e.setReadOnly(true);
    e.DownClick(nullptr);
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::max());
    EXPECT_EQ(beeps, 1);
}

TEST_F(Spin, FloatsUseTheDecimalCommaAndThePrecision)
{
    TTsgSpinEdit e;
    e.SetSpinType(sptFloat);
    e.setText(QStringLiteral("2,5"));
    e.UpClick(nullptr); // IncrementFloat left at 0
    EXPECT_EQ(e.text(), QStringLiteral("2,5"));
    e.IncrementFloat = 0.25;
    e.SetPrecision(2);
    EXPECT_EQ(e.text(), QStringLiteral("2,50"));
    e.UpClick(nullptr);
    EXPECT_EQ(e.text(), QStringLiteral("2,75"));
    EXPECT_DOUBLE_EQ(e.FloatValue(), 2.75);
    e.SetFloatValue(1000);
    EXPECT_EQ(e.text(), QStringLiteral("100,00"));
    e.setText(QStringLiteral("2.5")); // a point is no decimal separator here
    e.MinValue = 3;
    EXPECT_DOUBLE_EQ(e.FloatValue(), 3.0);
}

TEST_F(Spin, DatesStepTheFieldTheCaretIsInByPosition)
{
    TTsgSpinEdit e;
    e.SetSpinType(sptDate);
    // The day number counts from 1899-12-30.
    e.setText(QStringLiteral("2024-01-31"));
    EXPECT_DOUBLE_EQ(e.DateValue(), 45322.0);
    // Fields go by position: first days, second months, the rest years.
    EXPECT_EQ(StepAt(e, QStringLiteral("2024-01-31"), 0, true), QStringLiteral("2024-02-01"));
    EXPECT_EQ(StepAt(e, QStringLiteral("2024-01-31"), 6, true), QStringLiteral("2024-02-29"));
    EXPECT_EQ(e.cursorPosition(), 6); // the caret stays
    EXPECT_EQ(StepAt(e, QStringLiteral("2024-03-31"), 7, false), QStringLiteral("2024-02-29"));
    EXPECT_EQ(StepAt(e, QStringLiteral("2024-02-29"), 10, true), QStringLiteral("2025-02-28"));
    e.MinDateValue = 45322;
    e.MaxDateValue = 45330;
    EXPECT_EQ(StepAt(e, QStringLiteral("2024-01-31"), 0, false), QStringLiteral("2024-01-31"));
    e.setText(QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(e.DateValue(), 45322.0);
    EXPECT_THROW(SpinStepDate(EncodeDate(9999, 6, 1), 2, 1), EConvertError);

    ui::FixedClock clock(QDate(2024, 5, 6));
    TTsgSpinEdit fresh;
    fresh.SetSpinType(sptDate); // "0" is today
    EXPECT_EQ(fresh.text(), QStringLiteral("2024-05-06"));
}

TEST_F(Spin, TimesWrapDownwardsThroughMidnightOnly)
{
    TTsgSpinEdit e;
    e.SetSpinType(sptTime);
    EXPECT_EQ(e.text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(StepAt(e, QStringLiteral("00:00:10"), 8, false), QStringLiteral("00:00:09"));
    EXPECT_EQ(StepAt(e, QStringLiteral("00:00:00"), 0, false), QStringLiteral("23:00:00"));
    EXPECT_EQ(StepAt(e, QStringLiteral("00:00:00"), 3, false), QStringLiteral("23:59:00"));
    EXPECT_EQ(StepAt(e, QStringLiteral("23:30:00"), 1, true), QStringLiteral("00:30:00"));
    e.setText(QStringLiteral("12:30"));
    EXPECT_NEAR(e.TimeValue(), 0.5 + 30.0 / 1440, 1e-12);
    e.setText(QStringLiteral("25:00"));
    EXPECT_DOUBLE_EQ(e.TimeValue(), 0.0);
}

TEST_F(Spin, TheCharacterFilter)
{
    const QChar comma(u','), point(u'.'), colon(u':');
    QChar out;
    // No more decimals than the precision, once the caret is past the separator.
    EXPECT_FALSE(Accepts(QStringLiteral("12,34"), 5, u'5', sptFloat, 2));
    EXPECT_TRUE(Accepts(QStringLiteral("12,34"), 1, u'5', sptFloat, 2));
    EXPECT_TRUE(Accepts(QStringLiteral("12,3"), 4, u'5', sptFloat, 2));
    // The thousands separator becomes the decimal separator, once.
    EXPECT_TRUE(Accepts(QStringLiteral("12"), 2, point, sptFloat, 2, true, &out));
    EXPECT_EQ(out, comma);
    EXPECT_FALSE(Accepts(QStringLiteral("1,2"), 3, point, sptFloat));
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, QChar(13), sptNormal));
    EXPECT_TRUE(Accepts(QStringLiteral("1"), 1, QChar(8), sptNormal));
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, colon, sptNormal));
    EXPECT_TRUE(Accepts(QStringLiteral("12:30"), 5, colon, sptTime));
    EXPECT_FALSE(Accepts(QStringLiteral("12:30:00"), 8, colon, sptTime));
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, u'-', sptTime));
    EXPECT_TRUE(Accepts(QStringLiteral("1"), 0, u'-', sptNormal)); // the sign, though dates use it too
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, u'x', sptNormal));
    // Without the editor only stepping changes the value.
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, u'5', sptNormal, 0, false));
    EXPECT_FALSE(Accepts(QStringLiteral("1"), 1, QChar(8), sptNormal, 0, false));
    EXPECT_TRUE(Accepts(QStringLiteral("1"), 1, QChar(3), sptNormal, 0, false)); // Ctrl+C
}

TEST_F(Spin, KeysStepRefuseWithABeepAndReturnMovesOn)
{
    QWidget form;
    auto* e = new TTsgSpinEdit(&form);
    auto* next = new TTsgSpinEdit(&form);
    next->move(0, 40);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    e->setFocus();
    e->EditorEnabled = false;
    e->setCursorPosition(1);
    QTest::keyClick(e, Qt::Key_5);
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Delete);
    EXPECT_EQ(e->text(), QStringLiteral("0"));
    EXPECT_EQ(beeps, 2);
    QTest::keyClick(e, Qt::Key_Up);
    QTest::keyClick(e, Qt::Key_Up);
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_EQ(e->text(), QStringLiteral("1"));

    e->EditorEnabled = true;
    e->SetSpinType(sptFloat);
    e->setText(QStringLiteral("1"));
    e->setCursorPosition(1);
    QTest::keyClicks(e, QStringLiteral(".5."));
    EXPECT_EQ(e->text(), QStringLiteral("1,5"));
    EXPECT_EQ(beeps, 3);
    e->ReturnIsTab = true;
    QTest::keyClick(e, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(e->text(), QStringLiteral("1,5")); // no line break
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(QApplication::focusWidget(), next);
}

TEST_F(Spin, HeldButtonRepeatsAfter400ThenEvery100Ms)
{
    TTsgSpinEdit e;
    e.resize(80, 22);
    TTxTimerSpeedButton* up = e.Button()->UpButton();
    EXPECT_EQ(up->RepeatTimer(), nullptr); // made on the first press
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(3, 3));
    FakeTimer* t = FakeTimer::last;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Interval(), 400);
    t->Advance(399);
    EXPECT_EQ(e.Value(), 0);
    t->Advance(1);
    EXPECT_EQ(e.Value(), 1);
    EXPECT_EQ(t->Interval(), 100);
    t->Advance(250);
    EXPECT_EQ(e.Value(), 3);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(e.Value(), 4); // the release clicks once
    EXPECT_FALSE(t->Active());
    t->Advance(1000);
    EXPECT_EQ(e.Value(), 4);

    // A button dragged off no longer shows pressed: the timer runs on but does not click.
    TTxTimerSpeedButton* down = e.Button()->DownButton();
    QTest::mousePress(down, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(down, QPoint(-20, 3));
    FakeTimer::last->Advance(600);
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-20, 3)); // released off the button: no click
    EXPECT_EQ(e.Value(), 4);

    // A click that raises stops the repeat, and the error goes on.
    TAutoRepeat r;
    r.Press();
    EXPECT_THROW(r.Expired(true, true, [] { throw EConvertError(QStringLiteral("x")); }), EConvertError);
    EXPECT_FALSE(r.Running());
}

TEST_F(Spin, ButtonLayoutDefaultGlyphsAndRegistration)
{
    TSpinButtonRects v = SpinButtonLayout(spVertical, 15, 17);
    EXPECT_EQ(v.Up, (ui::Rect{0, 0, 15, 8}));
    EXPECT_EQ(v.Down, (ui::Rect{0, 7, 15, 17}));
    TSpinButtonRects h = SpinButtonLayout(spHorizontal, 21, 10);
    EXPECT_EQ(h.Down, (ui::Rect{0, 0, 10, 10}));
    EXPECT_EQ(h.Up, (ui::Rect{11, 0, 21, 10}));

    TTsgSpinEdit e;
    e.SetDirection(spHorizontal);
    EXPECT_EQ(e.Button()->width(), 20);
    EXPECT_EQ(e.Button()->UpButton()->ButtonDirection(), bdRight);

    const QImage up = SpinGlyphResource(QStringLiteral("TsgSpinUp"));
    ASSERT_EQ(up.size(), QSize(9, 6));
    const auto black = [&](const QImage& img, int row) {
        int n = 0;
        for (int x = 0; x < 9; ++x)
            n += img.pixel(x, row) == qRgb(0, 0, 0);
        return n;
    };
    EXPECT_EQ(black(up, 0), 0);
    EXPECT_EQ(black(up, 1), 1);
    EXPECT_EQ(black(up, 4), 7);
    EXPECT_EQ(up.pixel(0, 4), qRgb(128, 128, 0));
    EXPECT_EQ(black(SpinGlyphResource(QStringLiteral("TsgSpinDown")), 1), 7);

    LibraryStartUp();
    TComponentFactory f = FindClass(QStringLiteral("TTxMaskSpinEdit"));
    ASSERT_TRUE(f);
    std::unique_ptr<QWidget> w(f(nullptr));
    EXPECT_NE(dynamic_cast<TTxMaskSpinEdit*>(w.get()), nullptr);
    EXPECT_TRUE(FindClass(QStringLiteral("TTSGComboBox")));
    EXPECT_TRUE(FindClass(QStringLiteral("TTsgUnitEditBtn")));
}

TEST_F(Spin, LoadingLeavingAndTheButtonPairsKeys)
{
    // While loading, the values wait for Loaded, whatever order they were read in.
    TTsgSpinEdit e;
    e.BeginLoading();
    e.SetDateValue(45322);
    e.SetSpinType(sptDate);
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    e.Loaded();
    EXPECT_EQ(e.text(), QStringLiteral("2024-01-31"));

    // Leaving rewrites a value outside its bounds; a time is only written again, unclamped.
    QFocusEvent out(QEvent::FocusOut);
    TTsgSpinEdit n;
    n.setText(QStringLiteral("150"));
    QApplication::sendEvent(&n, &out);
    EXPECT_EQ(n.text(), QStringLiteral("100"));
    n.SetSpinType(sptTime);
    n.MinDateValue = 0.25;
    n.MaxDateValue = 0.5;
    n.setText(QStringLiteral("1:00"));
    QApplication::sendEvent(&n, &out);
    EXPECT_EQ(n.text(), QStringLiteral("01:00:00"));

    // Space clicks the button with the focus mark, which the arrows move only on a tab stop.
    TTsgSpinButton b;
    int up = 0, down = 0;
    b.OnUpClick = [&](QObject* Sender) { up += Sender == &b; };
    b.OnDownClick = [&](QObject* Sender) { down += Sender == &b; };
    QTest::keyClick(&b, Qt::Key_Down);
    QTest::keyClick(&b, Qt::Key_Space);
    EXPECT_EQ(up, 1);
    EXPECT_EQ(down, 1);
    b.SetTabStop(true);
    b.show();
    QTest::keyClick(&b, Qt::Key_Down);
    QTest::keyClick(&b, Qt::Key_Space);
    EXPECT_EQ(down, 3);
    EXPECT_EQ(b.FocusedButton(), b.DownButton());
}

// Drag and drop: what a drop target accepts and delivers, the effect by the keys, the drag
// source's results, and the data a grid drag offers, built and read without a screen.
#include "grid/controls/Tsgdd.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

using namespace grid;

namespace {

class RecordingTarget : public TTSGDropTarget {
public:
    QStringList calls;
    QStringList files;
    bool refuseMove = false;

protected:
    bool DropText(QPoint, const QString& t) override { return record(QStringLiteral("text:") + t); }
    bool DropRTF(QPoint, const QString& t) override { return record(QStringLiteral("rtf:") + t); }
    bool DropFiles(QPoint, const QStringList& n) override
    {
        files = n;
        return record(QStringLiteral("files"));
    }
    bool DropCol(QPoint, int c) override { return record(QStringLiteral("col:") + QString::number(c)); }
    bool record(const QString& call)
    {
        calls << call;
        return true;
    }
    void DragMouseMove(QPoint, bool& Allow, TDropFormats) override
    {
        if (refuseMove)
            Allow = false;
    }
};

std::unique_ptr<QMimeData> textAndFiles()
{
    auto m = std::make_unique<QMimeData>();
    m->setText(QStringLiteral("Żółć"));
    m->setUrls(
        {QUrl::fromLocalFile(QStringLiteral("/tmp/a b.txt")), QUrl::fromLocalFile(QStringLiteral("/tmp/ć.csv"))});
    return m;
}

struct RTFReset {
    ~RTFReset() { SetRTFAware(false); }
};

} // namespace

TEST(GridDragDrop, AcceptanceByKindAndKeys)
{
    RecordingTarget t;
    t.AcceptsText = false;
    QMimeData text;
    text.setText(QStringLiteral("abc"));
    EXPECT_EQ(t.DragEnter(&text, Qt::NoModifier, {}), DROPEFFECT_NONE);
    EXPECT_EQ(t.DragOver(Qt::NoModifier, {}), DROPEFFECT_NONE);
    EXPECT_EQ(t.Drop(&text, Qt::NoModifier, {}), DROPEFFECT_NONE);
    EXPECT_TRUE(t.calls.isEmpty());

    // Files with text besides: only the files reach a target that refuses text.
    const auto both = textAndFiles();
    EXPECT_EQ(t.DragEnter(both.get(), Qt::ControlModifier, {}), DROPEFFECT_COPY);
    EXPECT_EQ(t.DragOver(Qt::NoModifier, {}), DROPEFFECT_MOVE);
    EXPECT_EQ(t.Drop(both.get(), Qt::NoModifier, {}), DROPEFFECT_MOVE);
    EXPECT_EQ(t.calls, QStringList{QStringLiteral("files")});
    EXPECT_EQ(t.files, (QStringList{QStringLiteral("/tmp/a b.txt"), QStringLiteral("/tmp/ć.csv")}));

    t.refuseMove = true; // the hook can refuse a place
    EXPECT_EQ(t.DragOver(Qt::NoModifier, {}), DROPEFFECT_NONE);

    // Data without any readable format list is simply not acceptable.
    EXPECT_EQ(t.DragEnter(nullptr, Qt::NoModifier, {}), DROPEFFECT_NONE);
    EXPECT_EQ(t.FormatsPresent(), 0u);
}

TEST(GridDragDrop, RichTextOnlyWhileAware)
{
    RTFReset reset;
    QMimeData m;
    m.setText(QStringLiteral("plain"));
    m.setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1 x}"));
    RecordingTarget t;
    SetRTFAware(true);
    t.DragEnter(&m, Qt::NoModifier, {});
    t.Drop(&m, Qt::NoModifier, {});
    SetRTFAware(false);
    t.DragEnter(&m, Qt::NoModifier, {});
    t.Drop(&m, Qt::NoModifier, {});
    EXPECT_EQ(t.calls, (QStringList{QStringLiteral("rtf:{\\rtf1 x}"), QStringLiteral("text:plain")}));

    // Rich text alone needs the switch.
    QMimeData rtfOnly;
    rtfOnly.setData(QStringLiteral("application/rtf"), QByteArray("{\\rtf1 y}"));
    EXPECT_EQ(t.DragEnter(&rtfOnly, Qt::NoModifier, {}), DROPEFFECT_NONE);
    SetRTFAware(true);
    EXPECT_EQ(t.DragEnter(&rtfOnly, Qt::NoModifier, {}), DROPEFFECT_MOVE);
}

TEST(GridDragDrop, SourceDataOffered)
{
    RTFReset reset;
    const TSourceDataObject col(QString(), QString(), 3);
    EXPECT_EQ(col.Formats(), QStringList{QLatin1String(MimeGridCol)});
    QByteArray d;
    EXPECT_FALSE(col.GetData(QLatin1String(MimeText), d));
    ASSERT_TRUE(col.GetData(QLatin1String(MimeGridCol), d));
    EXPECT_EQ(d, QByteArray("\x03\x00\x00\x00", 4));

    // A column dropped on a grid that takes columns, and not on one that does not.
    std::unique_ptr<QMimeData> m(col.CreateMimeData());
    EXPECT_FALSE(m->hasText());
    RecordingTarget t;
    EXPECT_EQ(t.DragEnter(m.get(), Qt::NoModifier, {}), DROPEFFECT_NONE);
    t.AcceptsColumns = true;
    EXPECT_EQ(t.DragEnter(m.get(), Qt::NoModifier, {}), DROPEFFECT_MOVE);
    t.Drop(m.get(), Qt::NoModifier, {});
    EXPECT_EQ(t.calls, QStringList{QStringLiteral("col:3")});

    const TSourceDataObject text(QStringLiteral("zażółć"), QStringLiteral("{\\rtf1 z}"), -1);
    EXPECT_EQ(text.Formats(), QStringList{QLatin1String(MimeText)});
    SetRTFAware(true);
    EXPECT_EQ(text.Formats(), (QStringList{QLatin1String(MimeText), QLatin1String(MimeRTF)}));
    std::unique_ptr<QMimeData> tm(text.CreateMimeData());
    const TEnumFormats e(tm.get());
    EXPECT_EQ(e.Text(), QStringLiteral("zażółć"));
    EXPECT_EQ(e.RTF(), QStringLiteral("{\\rtf1 z}"));
    EXPECT_EQ(e.Col(), -1);
    EXPECT_EQ(e.Formats(), unsigned(dfText | dfRTF));

    QMimeData shortCol; // too short to be an index
    shortCol.setData(QLatin1String(MimeGridCol), QByteArray("\x01", 1));
    EXPECT_EQ(TEnumFormats(&shortCol).Col(), -1);
}

TEST(GridDragDrop, SourceResults)
{
    TTSGDropSource s;
    EXPECT_EQ(s.QueryContinueDrag(true, Qt::LeftButton), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, Qt::LeftButton), S_OK_RESULT);
    EXPECT_EQ(s.QueryContinueDrag(false, Qt::NoButton), DRAGDROP_S_DROP);
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoEffect());
    EXPECT_EQ(DragResult(Qt::MoveAction, s.NoEffect()), DRAGDROP_S_CANCEL); // last shown: no-drop
    s.GiveFeedback(DROPEFFECT_COPY);
    EXPECT_EQ(DragResult(Qt::CopyAction, s.NoEffect()), DRAGDROP_S_DROP);
    EXPECT_EQ(DragResult(Qt::IgnoreAction, s.NoEffect()), DRAGDROP_S_CANCEL); // Escape
    EXPECT_EQ(StandardEffect(Qt::ControlModifier | Qt::ShiftModifier), DROPEFFECT_COPY);
    EXPECT_EQ(StandardEffect(Qt::ShiftModifier), DROPEFFECT_MOVE);
}

TEST(GridDragDrop, QtEventsAnswered)
{
    RecordingTarget t;
    QMimeData m;
    m.setText(QStringLiteral("x"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &m, Qt::LeftButton, Qt::ControlModifier);
    ASSERT_TRUE(t.HandleDragEvent(&enter));
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &m, Qt::NoButton, Qt::NoModifier);
    ASSERT_TRUE(t.HandleDragEvent(&drop));
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
    EXPECT_EQ(t.calls, QStringList{QStringLiteral("text:x")});

    t.AcceptsText = false;
    QDragEnterEvent refused(QPoint(1, 1), Qt::MoveAction, &m, Qt::LeftButton, Qt::NoModifier);
    t.HandleDragEvent(&refused);
    EXPECT_FALSE(refused.isAccepted());
    QEvent other(QEvent::MouseMove);
    EXPECT_FALSE(t.HandleDragEvent(&other));
}

// Every test program runs with a QApplication (offscreen) so that widgets, fonts and PDF
// output work in-process; one over the ui layer describes line edits to screen readers as the
// program's application object does.
#ifdef TARNEX_TEST_UI
#include "platform/ui/ReadOnlyEdit.h"
#endif

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
#ifdef TARNEX_TEST_UI
    ui::describeLineEdits();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

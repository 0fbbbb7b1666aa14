// Every test program runs with a QApplication (offscreen) so that widgets, fonts and PDF
// output work in-process; one over the ui layer describes line edits to screen readers as the
// program's application object does. Started with --child=NAME it is a test's second process
// instead (support/ChildMain.h).
#include "support/ChildMain.h"
#ifdef TARNEX_TEST_UI
#include "platform/ui/ReadOnlyEdit.h"
#endif

#include <QApplication>
#include <QHash>
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

namespace testmain {

static QHash<QByteArray, ChildRun>& children()
{
    static QHash<QByteArray, ChildRun> registered;
    return registered;
}

bool addChild(const char* name, ChildRun run)
{
    children().insert(QByteArray(name), run);
    return true;
}

} // namespace testmain

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
#ifdef TARNEX_TEST_UI
    ui::describeLineEdits();
#endif
    static const char childFlag[] = "--child=";
    if (argc > 1 && std::strncmp(argv[1], childFlag, sizeof childFlag - 1) == 0) {
        const testmain::ChildRun run = testmain::children().value(QByteArray(argv[1] + sizeof childFlag - 1));
        if (!run) {
            std::cerr << "no child part " << argv[1] << std::endl;
            return 2;
        }
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return run(args);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "shell/Form_Winieta.h"
#include "shell/Obrazki.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>

TForm_Winieta* Form_Winieta = nullptr;

TForm_Winieta::TForm_Winieta(QWidget* /*owner*/)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_Winieta"));
    setFixedSize(514, 257);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 514, 257);
    Image1->setPixmap(Obrazek(QStringLiteral("winieta")));
    Image1->setScaledContents(true);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 224, 481, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    Ustaw_Postep(0);
}

void TForm_Winieta::Ustaw_Postep(int pozycja)
{
    ProgressBar1->setValue(pozycja);
    if (isVisible()) {
        repaint();
        // The window system needs a moment to map and draw the window between steps.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void TForm_Winieta::Ustaw_Tekst(const QString& tekst)
{
    ProgressBar1->setFormat(tekst);
    ProgressBar1->setTextVisible(!tekst.isEmpty());
    Ustaw_Postep(ProgressBar1->value());
}

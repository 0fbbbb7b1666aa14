#pragma once
// The start-up splash: one picture and a progress bar, borderless and in front of everything
// while the program creates its windows.
#include <QWidget>

class QLabel;
class QProgressBar;

class TForm_Winieta : public QWidget {
    Q_OBJECT
public:
    // Shown on creation; the owner is ignored (the splash is a window of its own, centred on
    // the desktop).
    explicit TForm_Winieta(QWidget* owner = nullptr);

    // Moves the bar and paints the splash at once: start-up runs without an event loop.
    void Ustaw_Postep(int pozycja);
    // Writes what start-up is busy with on the bar (empty text: the bare bar again).
    void Ustaw_Tekst(const QString& tekst);

    QLabel* Image1;
    QProgressBar* ProgressBar1;
};

extern TForm_Winieta* Form_Winieta;

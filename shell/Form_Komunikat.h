#pragma once
// The program's one message box: caption "!!!", the message in bold and one button "Zamknij".
// Every validation message, refusal and confirmation of the windows goes through
// Form_Komunikat->Pokaz_Komunikat(text).
#include "platform/ui/Dialog.h"

class QDialog;
class QLabel;
class QPushButton;

class TForm_Komunikat : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Komunikat(QWidget* owner = nullptr);

    // Shows `tekst` (line breaks start new lines) modally; returns when the box is closed. The box
    // grows to fit a long or many-line message and is never smaller than its designed size.
    void Pokaz_Komunikat(const QString& tekst);

    QLabel* JvLabel1;
    QPushButton* BitBtn1;

    static constexpr int Szerokosc = 533;
    static constexpr int Wysokosc = 129;
};

extern TForm_Komunikat* Form_Komunikat;

// Shows `tekst` in Form_Komunikat, creating the box first when start-up has not (tools and
// tests that run a window on its own).
void Pokaz_Komunikat(const QString& tekst);

// The box's one button: a bold default "Zamknij" on `okno` that accepts it. The other boxes with
// nothing to answer ("O programie ...") close by the same button.
QPushButton* Przycisk_Zamknij(QDialog* okno);

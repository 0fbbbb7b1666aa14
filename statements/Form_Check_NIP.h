#pragma once
// "Sprawdzanie poprawności numeru NIP": tells whether a Polish tax number passes its checksum.
// Shown without blocking, so it can stay open beside the other windows; closing it forgets the
// number and the answer.
#include "platform/ui/Dialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The checksum test of a tax number: ten ASCII digits, dashes allowed anywhere before the tenth;
// the weighted sum (6, 5, 7, 2, 3, 4, 5, 6, 7) of the first nine modulo 11 must equal the tenth
// (a remainder of 10 never does). Anything else (a blank, a slash, an eleventh digit, a dash
// after the tenth digit, a digit of another script) fails.
bool Sprawdz_NIP(const QString& nip);

class TForm_Check_NIP : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Check_NIP(QWidget* owner = nullptr);

    QLineEdit* LEdit_NIP;
    QPushButton* BitBtn1;
    QLabel* Label1;

public slots:
    void BitBtn1Click();

protected:
    bool closing(int result) override;
};

extern TForm_Check_NIP* Form_Check_NIP;

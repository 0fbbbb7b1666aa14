#pragma once
// "Ustawienia wydruków": how many originals and copies each kind of document prints by default.
#include "platform/ui/Dialog.h"

#include <QStringList>

class QLineEdit;
class QPushButton;

// Index of the first copy count that is neither empty nor a whole number; -1 when all pass.
int Pierwsza_Niepoprawna_Ilosc(const QStringList& ilosci);

class TForm_Ust_Wydruki : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Ust_Wydruki(QWidget* owner = nullptr);

    // The value names of the eight fields, in the order of the fields (and of the checks).
    static const QStringList Nazwy;
    static const QString Komunikat_Ilosc;

    QLineEdit* LEdit_FV_O;
    QLineEdit* LEdit_FV_K;
    QLineEdit* LEdit_PFV_O;
    QLineEdit* LEdit_PFV_K;
    QLineEdit* LEdit_KFV_O;
    QLineEdit* LEdit_KFV_K;
    QLineEdit* LEdit_NFV_O;
    QLineEdit* LEdit_NFV_K;
    QPushButton* BitBtn_Zapisz;
    QPushButton* BitBtn_Zamknij;

public slots:
    void BitBtn_ZapiszClick();

protected:
    void showing() override;

private:
    QList<QLineEdit*> pola() const;
};

extern TForm_Ust_Wydruki* Form_Ust_Wydruki;

#pragma once
// "Dane Firmy": the seller data printed on the invoices, kept in the settings.
#include "platform/ui/Dialog.h"

#include <QStringList>

class QLineEdit;
class QPushButton;

// The file-choice filters of the logo; the patterns match the extensions in any case.
QStringList Filtry_Logo();

class TForm_Ust_Firma : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Ust_Firma(QWidget* owner = nullptr);

    // The value names of the nine fields, in the order of the fields.
    static const QStringList Nazwy;

    QLineEdit* LEdit_Nazwa_L1;
    QLineEdit* LEdit_Nazwa_L2;
    QLineEdit* LEdit_Kod;
    QLineEdit* LEdit_Miasto;
    QLineEdit* LEdit_Adres;
    QLineEdit* LEdit_Nip;
    QLineEdit* LEdit_Konto;
    QLineEdit* LEdit_Tel;
    QLineEdit* LEdit_Logo;
    QPushButton* BitBtn1;
    QPushButton* BitBtn_Zapisz;
    QPushButton* BitBtn_Zamknij;

public slots:
    void BitBtn1Click();
    void BitBtn_ZapiszClick();

protected:
    void showing() override;

private:
    QList<QLineEdit*> pola() const;
};

extern TForm_Ust_Firma* Form_Ust_Firma;

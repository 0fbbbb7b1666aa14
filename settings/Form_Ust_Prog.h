#pragma once
// "Ustawienia domyślne": the price mode of a new invoice and the default place of issue.
#include "platform/ui/Dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TForm_Ust_Prog : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Ust_Prog(QWidget* owner = nullptr);

    QComboBox* CBox_Netto_Brutto;
    QLineEdit* Edit_Miejsce_Wyst;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public slots:
    void BitBtn1Click();

protected:
    void showing() override;
};

extern TForm_Ust_Prog* Form_Ust_Prog;

#pragma once
// "O programie ...": the product, its version and the maker's contact block.
#include "platform/ui/Dialog.h"

class QLabel;
class QPushButton;

class TForm_About : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_About(QWidget* owner = nullptr);

    QLabel* Image1;
    QLabel* Label_Nazwa;
    QLabel* Label_Wersja;
    QLabel* Image2;
    QLabel* Label_Prawa;
    QPushButton* BitBtn1;
};

extern TForm_About* Form_About;

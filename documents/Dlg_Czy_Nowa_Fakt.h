#pragma once
// The question asked before an unsaved document is dropped ("Nowa faktura", closing the window,
// closing the program). Only "Tak" discards the document; "Nie", Esc and the title-bar close keep
// it (a question closed unanswered drops nothing).
#include "platform/ui/Dialog.h"

class QLabel;
class QPushButton;

class TDlg_Czy_Nowa_Fakt : public ui::Dialog {
    Q_OBJECT
public:
    // Results of the two buttons.
    enum { mrYes = 6, mrNo = 7 };

    explicit TDlg_Czy_Nowa_Fakt(QWidget* owner = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

extern TDlg_Czy_Nowa_Fakt* Dlg_Czy_Nowa_Fakt;

// Asks the question (creating the dialog when start-up has not) and tells whether the user
// wants to keep the unsaved document: true only for "Nie".
bool Czy_Zachowac_Dokument();

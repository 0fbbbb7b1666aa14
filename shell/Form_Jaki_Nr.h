#pragma once
// The prompt for the number of the very first document of a type. Callers: Ustaw_Opis(question),
// then ui::showModal(Form_Jaki_Nr); on QDialog::Accepted the text of Edit_Nr is the number.
// Any other result (the title-bar close, Esc) abandons the save.
#include "platform/ui/Dialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm_Jaki_Nr : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Jaki_Nr(QWidget* owner = nullptr);

    void Ustaw_Opis(const QString& opis);

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Edit_Nr;
    QPushButton* BitBtn1;

public slots:
    void BitBtn1Click();

protected:
    void showing() override;
};

extern TForm_Jaki_Nr* Form_Jaki_Nr;

// Asks the question in Form_Jaki_Nr (created when start-up has not) and gives the number typed,
// or nothing when the user abandoned the prompt. The document windows' first-number prompt.
std::optional<qint64> Zapytaj_O_Pierwszy_Numer(const QString& pytanie);

#include "shell/Form_Jaki_Nr.h"
#include "platform/ui/Connect.h"

#include "platform/text/Numbers.h"
#include "platform/ui/Modal.h"
#include "shell/Form_Komunikat.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm_Jaki_Nr* Form_Jaki_Nr = nullptr;

TForm_Jaki_Nr::TForm_Jaki_Nr(QWidget* owner)
    : ui::Dialog(owner,
                 Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint
                     | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form_Jaki_Nr"));
    setWindowTitle(QStringLiteral("Numer pierwszego dokumentu..."));
    setFixedSize(388, 154);

    QFont bold = font();
    bold.setBold(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setGeometry(24, 20, 340, 20);

    Label2 = new QLabel(QStringLiteral("Numer dokumentu :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(bold);
    Label2->setGeometry(24, 60, 150, 22);

    Edit_Nr = new QLineEdit(this);
    Edit_Nr->setObjectName(QStringLiteral("Edit_Nr"));
    Edit_Nr->setAccessibleName(Label2->text());
    Edit_Nr->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit_Nr->setGeometry(180, 58, 120, 24);
    Label2->setBuddy(Edit_Nr);

    BitBtn1 = new QPushButton(QStringLiteral("Ok"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(bold);
    BitBtn1->setGeometry(144, 108, 100, 30);
    // Enter in the number field presses "Ok", and so goes through its check.
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Jaki_Nr::BitBtn1Click);

    setTabOrder(Edit_Nr, BitBtn1);
}

void TForm_Jaki_Nr::Ustaw_Opis(const QString& opis) { Label1->setText(opis); }

void TForm_Jaki_Nr::showing()
{
    Edit_Nr->setText(QStringLiteral("1"));
    Edit_Nr->selectAll();
    Edit_Nr->setFocus();
}

void TForm_Jaki_Nr::BitBtn1Click()
{
    bool ok = false;
    text::parseInt(Edit_Nr->text(), &ok);
    if (!ok) {
        Pokaz_Komunikat(QStringLiteral("Numer dokumentu musi być liczbą całkowitą"));
        Edit_Nr->setFocus();
        return;
    }
    accept();
}

std::optional<qint64> Zapytaj_O_Pierwszy_Numer(const QString& pytanie)
{
    if (!Form_Jaki_Nr)
        Form_Jaki_Nr = new TForm_Jaki_Nr();
    Form_Jaki_Nr->Ustaw_Opis(pytanie);
    if (ui::showModal(Form_Jaki_Nr) != QDialog::Accepted)
        return std::nullopt;
    bool ok = false;
    const int nr = text::parseInt(Form_Jaki_Nr->Edit_Nr->text(), &ok);
    return ok ? std::optional<qint64>(nr) : std::nullopt;
}

#include "statements/Form_Check_NIP.h"

#include "documents/FormControls.h"
#include "platform/ui/Connect.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

TForm_Check_NIP* Form_Check_NIP = nullptr;

bool Sprawdz_NIP(const QString& nip)
{
    std::array<int, 10> cyfry{};
    int ile = 0;
    for (const QChar c : nip) {
        if (ile == 10)
            return false; // nothing may follow the tenth digit, not even a dash
        if (c == QLatin1Char('-'))
            continue;
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return false;
        cyfry[size_t(ile++)] = u - u'0';
    }
    if (ile < 10)
        return false;
    static constexpr std::array<int, 9> wagi{6, 5, 7, 2, 3, 4, 5, 6, 7};
    int suma = 0;
    for (size_t i = 0; i < wagi.size(); ++i)
        suma += wagi[i] * cyfry[i];
    return suma % 11 == cyfry[9];
}

TForm_Check_NIP::TForm_Check_NIP(QWidget* owner) : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Check_NIP"));
    setWindowTitle(QStringLiteral("Sprawdzanie poprawności numeru NIP"));
    setModal(false);
    setFixedSize(330, 150);

    LEdit_NIP = documents::labeledEdit(this, "LEdit_NIP", QStringLiteral("NIP"), QRect(24, 32, 180, 21));
    BitBtn1 = documents::button(this, "BitBtn1", QStringLiteral("Sprawdź"), QRect(220, 28, 90, 28));
    BitBtn1->setDefault(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 80, 306, 30);
    Label1->setAlignment(Qt::AlignCenter);
    QFont pogrubiona = Label1->font();
    pogrubiona.setBold(true);
    Label1->setFont(pogrubiona);
    Label1->hide();

    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Check_NIP::BitBtn1Click);
}

void TForm_Check_NIP::BitBtn1Click()
{
    const bool poprawny = Sprawdz_NIP(LEdit_NIP->text());
    Label1->setText(poprawny ? QStringLiteral("Numer NIP jest poprawny")
                             : QStringLiteral("Numer NIP jest niepoprawny!"));
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, poprawny ? Qt::blue : Qt::red);
    Label1->setPalette(p);
    Label1->show();
}

bool TForm_Check_NIP::closing(int)
{
    Label1->hide();
    LEdit_NIP->clear();
    return true;
}

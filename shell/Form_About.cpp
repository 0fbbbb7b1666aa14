#include "shell/Form_About.h"

#include "shell/Form_Komunikat.h"
#include "shell/Obrazki.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm_About* Form_About = nullptr;

TForm_About::TForm_About(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(QStringLiteral("O programie ..."));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Obrazek(QStringLiteral("about_naglowek")));

    Label_Nazwa = new QLabel(QStringLiteral("Orlimek Tarnex"), this);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    Label_Nazwa->setFont(bold);
    Label_Wersja = new QLabel(QStringLiteral("wersja 1.2.1.0"), this);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(Obrazek(QStringLiteral("about_ikona")));

    Label_Prawa = new QLabel(this);
    Label_Prawa->setTextFormat(Qt::PlainText);
    Label_Prawa->setText(QStringLiteral("Program do wystawiania faktur dla małej firmy.\n"
                                        "Wszelkie prawa zastrzeżone.\n\n"
                                        "Orlimek\n"
                                        "Wersja dla systemu Linux, zbudowana z bibliotekami Qt %1.")
                             .arg(QString::fromLatin1(qVersion())));

    BitBtn1 = Przycisk_Zamknij(this);

    auto* opis = new QVBoxLayout;
    opis->addWidget(Label_Nazwa);
    opis->addWidget(Label_Wersja);
    opis->addSpacing(8);
    opis->addWidget(Label_Prawa);
    auto* srodek = new QHBoxLayout;
    srodek->addWidget(Image2, 0, Qt::AlignTop);
    srodek->addSpacing(12);
    srodek->addLayout(opis);
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(BitBtn1);
    przyciski->addStretch();

    auto* top = new QVBoxLayout(this);
    top->addWidget(Image1);
    top->addLayout(srodek);
    top->addLayout(przyciski);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

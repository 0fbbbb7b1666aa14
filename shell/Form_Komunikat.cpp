#include "shell/Form_Komunikat.h"
#include "platform/ui/Connect.h"

#include "platform/ui/Font.h"
#include "platform/ui/Modal.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TForm_Komunikat* Form_Komunikat = nullptr;

namespace {
constexpr int LabelX = 64;
constexpr int LabelY = 32;
constexpr int ButtonW = 100;
constexpr int ButtonH = 30;
constexpr int ButtonGap = 12; // above and below the button
} // namespace

TForm_Komunikat::TForm_Komunikat(QWidget* owner)
    // On top: it may be raised over another stay-on-top dialog (the first-number prompt).
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_Komunikat"));
    setWindowTitle(QStringLiteral("!!!"));
    setModal(true);

    JvLabel1 = new QLabel(this);
    JvLabel1->setObjectName(QStringLiteral("JvLabel1"));
    JvLabel1->setTextFormat(Qt::PlainText);
    QFont f(ui::screenFamily(QStringLiteral("Tahoma")));
    f.setPixelSize(13);
    f.setBold(true);
    JvLabel1->setFont(f);
    JvLabel1->move(LabelX, LabelY);

    BitBtn1 = Przycisk_Zamknij(this);

    setFixedSize(Szerokosc, Wysokosc);
    BitBtn1->setGeometry((Szerokosc - ButtonW) / 2, Wysokosc - ButtonGap - ButtonH, ButtonW, ButtonH);
}

void TForm_Komunikat::Pokaz_Komunikat(const QString& tekst)
{
    JvLabel1->setText(tekst);
    JvLabel1->adjustSize();

    // Grow to fit the text; a screen-sized box is the limit.
    int w = std::max(Szerokosc, LabelX + JvLabel1->width() + LabelX);
    int h = std::max(Wysokosc, LabelY + JvLabel1->height() + ButtonGap + ButtonH + ButtonGap);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        w = std::min(w, std::max(Szerokosc, screen->availableGeometry().width()));
        h = std::min(h, std::max(Wysokosc, screen->availableGeometry().height()));
    }
    setFixedSize(w, h);
    BitBtn1->setGeometry((w - ButtonW) / 2, h - ButtonGap - ButtonH, ButtonW, ButtonH);
    BitBtn1->setFocus();

    ui::showModal(this);
}

void Pokaz_Komunikat(const QString& tekst)
{
    // Without an owner: the box must outlive any window that happens to exist now.
    if (!Form_Komunikat)
        Form_Komunikat = new TForm_Komunikat(nullptr);
    Form_Komunikat->Pokaz_Komunikat(tekst);
}

QPushButton* Przycisk_Zamknij(QDialog* okno)
{
    auto* b = new QPushButton(QStringLiteral("Zamknij"), okno);
    b->setObjectName(QStringLiteral("BitBtn1"));
    QFont bf = b->font();
    bf.setBold(true);
    b->setFont(bf);
    b->setDefault(true);
    ui::on(b, &QPushButton::clicked, okno, &QDialog::accept);
    return b;
}

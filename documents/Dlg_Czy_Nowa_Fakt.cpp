#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "platform/ui/Connect.h"

#include "platform/ui/Modal.h"

#include <QLabel>
#include <QPushButton>

TDlg_Czy_Nowa_Fakt* Dlg_Czy_Nowa_Fakt = nullptr;

TDlg_Czy_Nowa_Fakt::TDlg_Czy_Nowa_Fakt(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Dlg_Czy_Nowa_Fakt"));
    setWindowTitle(QStringLiteral("Czy nowa faktura ?"));
    setFixedSize(439, 214);

    QFont bold = font();
    bold.setBold(true);

    Label1 = new QLabel(QStringLiteral("Faktura nie została zapisana !"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(16, 40, 407, 22);

    Label2 = new QLabel(QStringLiteral("Czy mimo wszystko chcesz anulować ?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(bold);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(16, 80, 407, 22);

    OKBtn = new QPushButton(QStringLiteral("Tak"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(120, 150, 90, 30);
    OKBtn->setDefault(true);
    ui::on(OKBtn, &QPushButton::clicked, this, [this] { done(mrYes); });

    CancelBtn = new QPushButton(QStringLiteral("Nie"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(230, 150, 90, 30);
    // "Nie", Esc and the title-bar close all keep the document: only "Tak" drops it.
    setCloseButton(CancelBtn, mrNo);
}

bool Czy_Zachowac_Dokument()
{
    if (!Dlg_Czy_Nowa_Fakt)
        Dlg_Czy_Nowa_Fakt = new TDlg_Czy_Nowa_Fakt();
    return ui::showModal(Dlg_Czy_Nowa_Fakt) == TDlg_Czy_Nowa_Fakt::mrNo;
}

#pragma once
// Base of the program's dialogs. Qt ends a dialog by several roads (accept/reject/done, Esc,
// the title-bar close) and only some of them pass closeEvent; here every one of them passes
// `closing`, so "Anuluj", Esc and the close button run the same code.
#include <QDialog>

namespace ui {

class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Every way of ending the dialog arrives here.
    void done(int result) final;
    // Shown, the dialog fits the free area of its screen (ui::fitToScreen).
    void setVisible(bool visible) override;

protected:
    // The one close handler, with the result the dialog is about to end with
    // (QDialog::Rejected for Esc and the title-bar close). Return false to keep it open.
    virtual bool closing(int result);

    // Runs each time the program shows the dialog (not when the window system merely
    // restores it), before it is painted, with the focus on the first input of the tab order;
    // a dialog that wants it elsewhere puts it there here.
    virtual void showing();

    void showEvent(QShowEvent* event) override;
};

} // namespace ui

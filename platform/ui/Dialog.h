#pragma once
// Base of the program's dialogs. Qt ends a dialog by several roads (accept/reject/done, Esc,
// the title-bar close) and only some of them pass closeEvent; here every one of them passes
// `closing`, so "Anuluj", Esc and the close button run the same code.
//
// A dialog's own close button ("Zamknij", "Anuluj / Zamknij", "Nie") is set with setCloseButton
// and does nothing of its own: it, Esc and the title-bar close all end the dialog alike, with the
// same result, and whatever closing a dialog must do lives in its `closing`.
#include <QDialog>

class QAbstractButton;

namespace ui {

class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Every way of ending the dialog arrives here.
    void done(int result) final;
    // Esc, the title-bar close and the close button: ends the dialog with the close result.
    void reject() final;

    // `button` closes the dialog as Esc and the title-bar close do; all three end it with `result`.
    void setCloseButton(QAbstractButton* button, int result = QDialog::Rejected);
    int closeResult() const { return closeResult_; }
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

private:
    int closeResult_ = QDialog::Rejected;
};

} // namespace ui

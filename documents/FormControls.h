#pragma once
// Small builders for the controls of the document windows and line dialogs: an edit with its
// caption above it (the caption is also the edit's accessible name), a button, a hidden input
// edit, and a remarks memo that holds at most a given number of lines.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>

#include <initializer_list>

class QLabel;

namespace documents {

// `caption` may hold a line break (a two-line caption); the accessible name joins the lines.
QLineEdit* labeledEdit(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                       int maxLength = 0);
// The caption label of an edit made by labeledEdit (or of a control given one by setCaption).
QLabel* captionOf(QWidget* control);
// Gives a control a bold caption label; the caption is also its accessible name.
QLabel* setCaption(QWidget* control, const QString& caption);
// Moves a control, and its caption above it.
void placeWithCaption(QWidget* control, const QRect& geometry);

// The frame every document window has: its name and caption, a fixed size, no minimise or
// maximise box, placed top-left, freed when closed.
void documentWindowFrame(QWidget* window, const char* name, const QString& caption, QSize size);

// The row of a document's own identity: type and number (filled by the program, read-only), year
// and issue date, at height `y` with the widths the document windows share.
struct IdentityRow {
    QLineEdit* typ;
    QLineEdit* nr;
    QLineEdit* rok;
    QLineEdit* dataWyst;
};
IdentityRow identityRow(QWidget* parent, const char* typName, int y, const QString& dateCaption);

// Sets the tab order of the controls, in the order given.
void tabChain(std::initializer_list<QWidget*> controls);

// Limits what the user types to `maxLength` characters; a longer text set by the program (a
// client pick) stays whole and may still be shortened by the user.
void limitTyping(QLineEdit* edit, int maxLength);

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);

// A hidden edit: a dialog's input, written by its callers and never shown.
QLineEdit* hiddenEdit(QWidget* parent, const char* name);

class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoEdit(int maxLines, QWidget* parent = nullptr);
    QString text() const { return toPlainText(); }
    void setText(const QString& t) { setPlainText(t); }

private:
    void limit();
    int maxLines_;
    bool limiting_ = false;
};

} // namespace documents

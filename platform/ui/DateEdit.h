#pragma once
// The date picker of the windows: a date edit with a drop-down calendar in the short date
// format, which takes a typed date as a whole. The stock date edit types digit by digit into the
// section under the cursor, so a typed "2025-04-16" over "2026-12-09" may land as 2026-04-16
// or 2025-12-04. Here a digit typed starts a new entry that replaces the shown date:
//   - a full date in the display format ("2025-04-16") takes as it stands;
//   - a year alone ("2025") takes the year, keeping day and month (29 February → 28);
// each as soon as it is complete, so date() is right even when a button is pressed by its key
// without the focus leaving the field. While the entry is neither, the date is the one from
// before it, and an entry that ends so (Enter, Tab, a click, the focus going elsewhere) leaves
// that date shown. Esc drops the entry.
#include <QDate>
#include <QDateEdit>
#include <QString>

#include <optional>

namespace ui {

// The date that `typed` stands for when it replaces `shown`: a full date in `format`, or a year
// alone (four digits); nothing when it is neither (yet).
std::optional<QDate> typedDate(const QString& typed, const QString& format, const QDate& shown);

class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    void type(const QString& typed);
    void finishTyping();
    void dropTyping();

    bool typing_ = false;
    QString typed_;
    QDate before_; // the date the entry replaces (a year alone keeps its day and month)
};

} // namespace ui

#pragma once
// The modal print preview: one page at a time, scaled to the window, with page turning, printing
// to the default printer and closing.
#include "platform/report/PageList.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace report {

class PreviewDialog : public QDialog {
public:
    PreviewDialog(const PageList& pages, const QString& caption, QWidget* parent = nullptr);
    int currentPage() const { return current_; }
    void showPage(int index);

private:
    void resizeEvent(QResizeEvent* e) override;
    void refresh();

    const PageList& pages_;
    int current_ = 0;
    QScrollArea* scroll_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* pageLine_ = nullptr;
    QPushButton* prev_ = nullptr;
    QPushButton* next_ = nullptr;
};

} // namespace report

#pragma once
// The modal print preview: one page at a time, scaled to the window, with page turning, printing
// to the default printer and closing. Only the page on screen is read from the store.
#include "platform/report/PageStream.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;

namespace report {

class PreviewDialog : public QDialog {
public:
    // The pages must outlive the dialog.
    PreviewDialog(const PageStore& pages, const QString& caption, QWidget* parent = nullptr);
    PreviewDialog(const PageList& pages, const QString& caption, QWidget* parent = nullptr);
    ~PreviewDialog() override;
    int currentPage() const { return current_; }
    void showPage(int index);
    void setVisible(bool visible) override;

private:
    void build(const QString& caption);
    void resizeEvent(QResizeEvent* e) override;
    void refresh();

    std::unique_ptr<PageListView> view_; // when made from a PageList
    const PageStore& pages_;
    int current_ = 0;
    QScrollArea* scroll_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* pageLine_ = nullptr;
    QPushButton* prev_ = nullptr;
    QPushButton* next_ = nullptr;
};

} // namespace report

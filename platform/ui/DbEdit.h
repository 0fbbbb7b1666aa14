#pragma once
// Controls that show one field of a dataset's current row:
//   ui::DbEdit      an edit (read-only or not) with the field's text
//   ui::DbText      a label with the field's text
//   ui::DbCheckBox  a check box ticked when the field is true
// They follow the cursor, reloads, posts and cancels. What the user types stays in the control
// until updateRecord() writes it into the field (the dialog does that before it posts, after its
// own checks of the typed text), so an entry that does not convert never reaches the dataset.
//
//   ui::DbEdit e;  e.setDataSource(&DataModule1->DataSource_Klienci);  e.setDataField("Uwagi");
#include "platform/data/Dataset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <functional>

namespace data {
class Dataset;
class DataSource;
class Field;
} // namespace data

namespace ui {

// The binding the three controls share.
class DbFieldLink : public QObject {
    Q_OBJECT
public:
    DbFieldLink(QObject* parent, std::function<void()> show);

    void setDataSource(data::DataSource* source);
    data::DataSource* dataSource() const { return source_; }
    data::Dataset* dataset() const;
    void setDataField(const QString& field);
    QString dataField() const { return field_; }
    // The bound field of the current row, or nullptr (closed, empty, no such field).
    data::Field* field() const;
    // The bound field's text, or empty text without one.
    QString text() const;
    bool hasRow() const;
    // The dataset is in Edit or Insert state.
    bool editing() const;

private:
    void bindDataset();

    std::function<void()> show_;
    QPointer<data::DataSource> source_;
    QString field_;
    QMetaObject::Connection conns_[6];
};

class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);
    void setDataSource(data::DataSource* source) { link_.setDataSource(source); }
    data::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& field) { link_.setDataField(field); }
    QString dataField() const { return link_.dataField(); }

    // Writes the text into the field (the dataset must be in Edit or Insert state).
    void updateRecord();
    // Shows the field's value again, dropping what was typed.
    void showField();
    // How a read-only edit shows a value that is not empty (by default the field's own text).
    void setDisplayFormat(std::function<QString(const QVariant&)> format);

private:
    DbFieldLink link_;
    std::function<QString(const QVariant&)> format_;
};

class DbText : public QLabel {
    Q_OBJECT
public:
    explicit DbText(QWidget* parent = nullptr);
    void setDataSource(data::DataSource* source) { link_.setDataSource(source); }
    void setDataField(const QString& field) { link_.setDataField(field); }
    QString dataField() const { return link_.dataField(); }
    void showField();

private:
    DbFieldLink link_;
};

class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DbCheckBox(const QString& caption = QString(), QWidget* parent = nullptr);
    void setDataSource(data::DataSource* source) { link_.setDataSource(source); }
    data::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& field) { link_.setDataField(field); }
    QString dataField() const { return link_.dataField(); }
    void updateRecord();
    void showField();

private:
    DbFieldLink link_;
};

} // namespace ui

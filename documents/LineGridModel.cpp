#include "documents/LineGridModel.h"

#include "platform/text/Numbers.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace documents {

LineGridModel::LineGridModel(int columns, QObject* parent) : QAbstractTableModel(parent), columns_(columns)
{
    rows_.append(QStringList(columns_));
    rows_.append(QStringList(columns_));
    alignments_.fill(Qt::AlignLeft | Qt::AlignVCenter, columns_);
}

QString LineGridModel::cell(int r, int c) const
{
    if (r < 0 || r >= rows() || c < 0 || c >= columns_)
        return {};
    return rows_[r][c];
}

void LineGridModel::setCell(int r, int c, const QString& text)
{
    if (r < 0 || r >= rows() || c < 0 || c >= columns_)
        return;
    rows_[r][c] = text;
    emit dataChanged(index(r, c), index(r, c));
    if (r == 0)
        emit headerDataChanged(Qt::Horizontal, c, c);
    else if (c == Col_Lp)
        emit headerDataChanged(Qt::Vertical, r, r);
}

QStringList LineGridModel::row(int r) const { return r >= 0 && r < rows() ? rows_[r] : QStringList(columns_); }

void LineGridModel::setHeader(const QStringList& titles)
{
    for (int c = 0; c < columns_; ++c)
        rows_[0][c] = c < titles.size() ? titles[c] : QString();
    emit dataChanged(index(0, 0), index(0, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

int LineGridModel::appendLine(const QStringList& cells)
{
    const int r = rows() - 1;
    for (int c = 0; c < columns_; ++c)
        rows_[r][c] = c < cells.size() ? cells[c] : QString();
    rows_[r][0] = QString::number(r);
    beginInsertRows({}, r + 1, r + 1);
    rows_.append(QStringList(columns_));
    endInsertRows();
    emit dataChanged(index(r, 0), index(r, columns_ - 1));
    emit headerDataChanged(Qt::Vertical, r, r);
    return r;
}

bool LineGridModel::replaceLine(int r, const QStringList& cells, int fromColumn)
{
    if (!isLine(r))
        return false;
    for (int c = std::max(0, fromColumn); c < columns_; ++c)
        rows_[r][c] = c < cells.size() ? cells[c] : QString();
    emit dataChanged(index(r, 0), index(r, columns_ - 1));
    return true;
}

bool LineGridModel::removeLine(int r)
{
    const bool removed = isLine(r);
    if (removed) {
        beginRemoveRows({}, r, r);
        rows_.removeAt(r);
        endRemoveRows();
    }
    renumber();
    return removed;
}

void LineGridModel::clearLines()
{
    if (!hasLines())
        return;
    beginRemoveRows({}, 1, rows() - 2);
    rows_.remove(1, rows() - 2);
    endRemoveRows();
}

void LineGridModel::renumber()
{
    for (int r = 1; r < rows() - 1; ++r)
        rows_[r][0] = QString::number(r);
    if (rows() > 2) {
        emit dataChanged(index(1, 0), index(rows() - 2, 0));
        emit headerDataChanged(Qt::Vertical, 1, rows() - 2);
    }
}

long double LineGridModel::sum(int column) const
{
    long double total = 0;
    for (int r = 1; r < rows() - 1; ++r)
        if (const auto v = readNumber(cell(r, column)))
            total += *v;
    return total;
}

QString LineGridModel::sumText(int column) const { return text::formatAmount(sum(column)); }

void LineGridModel::setAlignments(const QVector<Qt::Alignment>& alignments)
{
    for (int c = 0; c < columns_ && c < alignments.size(); ++c)
        alignments_[c] = alignments[c];
    emit dataChanged(index(0, 0), index(rows() - 1, columns_ - 1));
}

int LineGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows(); }

int LineGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant LineGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole: return cell(r, c);
    case Qt::TextAlignmentRole:
        // The header row is written left-aligned, the lines as their column says.
        return QVariant::fromValue(r == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                          : alignments_.value(c) | Qt::AlignVCenter);
    case Qt::FontRole:
        if (r == 0) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        // The header row is not selectable, which the view would paint in the disabled grey;
        // its captions are meant to be read.
        if (r == 0)
            return QGuiApplication::palette().buttonText();
        return {};
    case Qt::BackgroundRole:
        // The header row and the number column are fixed cells.
        if (r == 0 || c == 0)
            return QGuiApplication::palette().button();
        return {};
    default: return {};
    }
}

QVariant LineGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool top = orientation == Qt::Horizontal;
    if (top ? section < 0 || section >= columns_ : section < 0 || section >= rows())
        return {};
    switch (role) {
    case Qt::DisplayRole: return top ? cell(0, section) : cell(section, Col_Lp);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(top ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                       : alignments_.value(Col_Lp) | Qt::AlignVCenter);
    case Qt::FontRole:
        if (top) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default: return {};
    }
}

Qt::ItemFlags LineGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() == 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QStringList invoiceGridHeader(PriceMode mode)
{
    QStringList h{QStringLiteral("Lp."),
                  QStringLiteral("Symbol prod."),
                  QStringLiteral("Nazwa towaru / usługi"),
                  QStringLiteral("Nazwa towaru / usługi cd."),
                  QStringLiteral("PKWiU"),
                  QStringLiteral("Ilość"),
                  QStringLiteral("J.m."),
                  QStringLiteral("Cena"),
                  QStringLiteral("Rabat %"),
                  QStringLiteral("Wartość netto"),
                  QStringLiteral("Stawka VAT %"),
                  QStringLiteral("Kwota VAT"),
                  QStringLiteral("Wartość brutto"),
                  QString()};
    if (mode == PriceMode::Brutto) {
        h[Col_Cena] = QStringLiteral("Cena brutto");
        h[Col_Netto] = QString();
    }
    return h;
}

std::array<int, LineGridModel::InvoiceColumns> invoiceGridWidths(PriceMode mode, bool afterModeChange)
{
    if (mode == PriceMode::Netto)
        return {40, 90, 160, 160, 70, 60, 60, 60, 60, 90, 90, 86, 100, 0};
    return {40, 90, 160, 160, 70, 60, 60, afterModeChange ? 110 : 100, 60, 0, 90, 86, 100, 0};
}

QVector<Qt::Alignment> invoiceGridAlignments()
{
    const Qt::Alignment R = Qt::AlignRight, L = Qt::AlignLeft, C = Qt::AlignHCenter;
    return {R, R, L, L, C, R, C, R, R, R, C, R, R, R};
}

} // namespace documents

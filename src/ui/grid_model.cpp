#include "ui/grid_model.h"

#include <algorithm>

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) { }

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        // An int, the form every Qt 6 delegate and header reads.
        return (alignments_[static_cast<size_t>(index.column())] | Qt::AlignVCenter).toInt();
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= headings_.size())
        return {};
    return role == Qt::DisplayRole ? QVariant(headings_[section]) : QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void GridModel::setColumnCount(int cols)
{
    cols = std::max(cols, 0);
    const int old = static_cast<int>(headings_.size());
    if (cols > old) {
        beginInsertColumns({}, old, cols - 1);
        while (headings_.size() < cols)
            headings_.append(QString());
        alignments_.resize(static_cast<size_t>(cols), Qt::AlignLeft);
        endInsertColumns();
    } else if (cols < old) {
        beginRemoveColumns({}, cols, old - 1);
        headings_.resize(cols);
        alignments_.resize(static_cast<size_t>(cols));
        for (QStringList& r : rows_)
            if (r.size() > cols)
                r.resize(cols);
        endRemoveColumns();
    }
}

QString GridModel::heading(int col) const { return col >= 0 && col < headings_.size() ? headings_[col] : QString(); }

void GridModel::setHeading(int col, const QString& text)
{
    if (col < 0 || col >= headings_.size())
        return;
    headings_[col] = text;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= headings_.size())
        return;
    alignments_[static_cast<size_t>(col)] = alignment & Qt::AlignHorizontal_Mask;
    if (!rows_.empty())
        emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

const QStringList& GridModel::rowAt(int row) const
{
    const auto k = static_cast<size_t>(row);
    if (pending_[k]) {
        rows_[k] = rowOf_ ? rowOf_(row + 1) : QStringList();
        pending_[k] = false;
    }
    return rows_[k];
}

QString GridModel::cell(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0)
        return {};
    const QStringList& r = rowAt(row);
    return col < r.size() ? r[col] : QString();
}

void GridModel::setCell(int row, int col, const QString& text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    rowAt(row);
    QStringList& r = rows_[static_cast<size_t>(row)];
    if (r.size() <= col)
        r.resize(col + 1);
    r[col] = text;
    const QModelIndex at = index(row, col);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void GridModel::insertItem(int row, QStringList cells)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, std::move(cells));
    pending_.insert(pending_.begin() + row, false);
    endInsertRows();
}

void GridModel::removeItem(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    pending_.erase(pending_.begin() + row);
    endRemoveRows();
}

void GridModel::resize(int rowCount)
{
    rowCount = std::max(rowCount, 0);
    const int old = this->rowCount();
    if (rowCount > old) {
        beginInsertRows({}, old, rowCount - 1);
        rows_.resize(static_cast<size_t>(rowCount));
        pending_.resize(static_cast<size_t>(rowCount), false);
        endInsertRows();
    } else if (rowCount < old) {
        beginRemoveRows({}, rowCount, old - 1);
        rows_.resize(static_cast<size_t>(rowCount));
        pending_.resize(static_cast<size_t>(rowCount));
        endRemoveRows();
    }
}

void GridModel::replaceAll(std::vector<QStringList> rows)
{
    beginResetModel();
    pending_.assign(rows.size(), false);
    rows_ = std::move(rows);
    rowOf_ = nullptr;
    endResetModel();
}

void GridModel::replaceLazily(int count, std::function<QStringList(int)> rowOf)
{
    count = std::max(count, 0);
    beginResetModel();
    rows_ = std::vector<QStringList>(static_cast<size_t>(count));
    pending_.assign(static_cast<size_t>(count), true);
    rowOf_ = std::move(rowOf);
    endResetModel();
}

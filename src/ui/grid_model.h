#pragma once
// The rows behind a Grid: plain text cells, a heading and an alignment per
// column, read-only. Kept minimal so refilling tens of thousands of rows is cheap.
// A lazy refill holds only placeholders: a pending row asks the provider for its
// cells (by its current row number) the first time anyone reads it, and keeps them.

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <vector>

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setColumnCount(int cols);
    QString heading(int col) const;
    void setHeading(int col, const QString& text);
    void setAlignment(int col, Qt::Alignment alignment);

    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString& text);

    void insertItem(int row, QStringList cells);
    void removeItem(int row);
    void resize(int rowCount);
    void replaceAll(std::vector<QStringList> rows);
    // count pending rows; row k is rowOf(k + 1) once read.
    void replaceLazily(int count, std::function<QStringList(int)> rowOf);

private:
    const QStringList& rowAt(int row) const;

    // Filled in on reading, hence mutable; pending_[k] while rows_[k] is a placeholder.
    mutable std::vector<QStringList> rows_;
    mutable std::vector<bool> pending_;
    std::function<QStringList(int)> rowOf_;
    QStringList headings_;
    std::vector<Qt::Alignment> alignments_;
};

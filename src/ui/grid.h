#pragma once
// The list grid: a QTableView over a small row model. Row 0 is the heading row
// (the horizontal header); item row r is model row r - 1; "current row 0" means
// no current item. Whole lists are replaced in one model reset, never row by row.

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class GridModel;
class QModelIndex;
class QTableView;

class Grid : public QWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Rows including the heading row; setRows(1) leaves only the heading.
    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);

    // What screen readers call the list, and its tooltip (on the table inside too).
    void describe(const QString& name, const QString& toolTip);

    void setColumnWidth(int col, int twips);
    // The column made wide enough for each of `texts` in the grid's font and
    // style (a larger font, another style); never narrower than it is.
    void widenColumnFor(int col, const QStringList& texts);
    int columnWidth(int col) const;   // twips
    void setColumnAlignment(int col, Qt::Alignment alignment);

    // Current cell; row 0 is the heading row.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);
    QString text() const;   // text of the current cell
    void setText(const QString& text);   // writes the current cell
    QString cellText(int row, int col) const;
    // Writes a cell of the heading row without making it current.
    void setHeading(int col, const QString& text);

    // Inserts a row at index (1 = first item row); cells separated by '\t'.
    void addItem(const QString& tabSeparatedRow, int index);
    void removeItem(int index);

    // Bulk refill: replaces every item row in one model reset.
    void replaceItems(std::vector<QStringList> rows);
    // Lazy bulk refill: count item rows in one model reset, none of them built.
    // Rows of a lazy refill are computed from the provider on demand (item row r
    // is rowOf(r) when first drawn or read, then kept); the caller keeps the
    // provider's data in step with addItem/removeItem, so item r is always the
    // provider's item r. The provider is kept until the next refill of either kind.
    void showItems(int count, std::function<QStringList(int item)> rowOf);

    QTableView* view() const { return view_; }

    // A mouse button is down on the rows: a row change now is the first half
    // of a click, and the Click that ends it follows.
    bool mouseHeld() const { return mouseHeld_; }
    // The row the last click landed on: the current row after a click on an
    // item (or a setRow), 0 after a click on the heading or outside the items,
    // which raises Click and DblClick all the same but leaves the current row
    // as it was.
    int clickedRow() const { return clickedRow_; }

signals:
    void Click();
    void DblClick();
    void RowColChange();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Row and column changes made inside one operation are reported once, after it.
    void beginChange() { ++changing_; }
    void endChange();
    void reportMove();
    void onCurrentChanged(const QModelIndex& current);
    void onClicked(const QModelIndex& index, bool doubleClick);
    void applyRowHeight();

    QTableView* view_;
    GridModel* model_;
    int col_ = 0;   // current column; kept while no row is current
    int changing_ = 0;
    int lastRow_ = 0;   // as last reported by RowColChange
    int lastCol_ = 0;
    bool mouseHeld_ = false;
    int clickedRow_ = 0;
};

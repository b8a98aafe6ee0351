#include "ui/grid.h"

#include "ui/grid_model.h"
#include "ui/twips.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

Grid::Grid(QWidget* parent) : QWidget(parent), view_(new QTableView(this)), model_(new GridModel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    view_->setModel(model_);
    // Focus given to the grid (Tab, setFocus) goes to its table and the keys with it.
    setFocusProxy(view_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setTabKeyNavigation(false);   // Tab leaves the grid, as in the other controls
    view_->setCornerButtonEnabled(false);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Every row the same fixed height: the view then never measures rows, which
    // keeps refilling tens of thousands of them cheap.
    QHeaderView* vertical = view_->verticalHeader();
    vertical->hide();
    vertical->setSectionResizeMode(QHeaderView::Fixed);
    vertical->setMinimumSectionSize(1);
    applyRowHeight();

    QHeaderView* horizontal = view_->horizontalHeader();
    horizontal->setSectionResizeMode(QHeaderView::Interactive);
    horizontal->setStretchLastSection(false);
    horizontal->setSectionsClickable(false);
    horizontal->setHighlightSections(false);

    view_->viewport()->installEventFilter(this);
    horizontal->viewport()->installEventFilter(this);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    connect(view_, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { onClicked(i, false); });
    connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { onClicked(i, true); });
}

Grid::~Grid() = default;

int Grid::rows() const { return model_->rowCount() + 1; }

void Grid::setRows(int rows)
{
    beginChange();
    model_->resize(std::max(rows, 1) - 1);
    endChange();
}

int Grid::cols() const { return model_->columnCount(); }

void Grid::setCols(int cols)
{
    beginChange();
    model_->setColumnCount(cols);
    col_ = std::clamp(col_, 0, std::max(model_->columnCount() - 1, 0));
    endChange();
}

void Grid::describe(const QString& name, const QString& toolTip)
{
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(view_)}) {
        w->setAccessibleName(name);
        w->setToolTip(toolTip);
    }
}

void Grid::widenColumnFor(int col, const QStringList& texts)
{
    const QFontMetrics fm = view_->fontMetrics();
    // The cell's own margins on both sides, as the style draws them.
    const int margins = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1) + 8;
    int widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, fm.horizontalAdvance(t) + margins);
    if (view_->columnWidth(col) < widest)
        view_->setColumnWidth(col, widest);
}

void Grid::setColumnWidth(int col, int twips) { view_->setColumnWidth(col, twipsToPixels(twips)); }

int Grid::columnWidth(int col) const { return pixelsToTwips(view_->columnWidth(col)); }

void Grid::setColumnAlignment(int col, Qt::Alignment alignment) { model_->setAlignment(col, alignment); }

int Grid::row() const
{
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void Grid::setRow(int row)
{
    if (row < 0 || row >= rows())
        return;
    clickedRow_ = row;
    beginChange();
    if (row == 0)
        view_->selectionModel()->clear();
    else
        view_->setCurrentIndex(model_->index(row - 1, col_));
    endChange();
}

int Grid::col() const { return col_; }

void Grid::setCol(int col)
{
    if (col < 0 || col >= cols())
        return;
    beginChange();
    col_ = col;
    const QModelIndex current = view_->currentIndex();
    if (current.isValid())
        view_->setCurrentIndex(current.siblingAtColumn(col));
    endChange();
}

QString Grid::text() const { return cellText(row(), col_); }

void Grid::setText(const QString& text)
{
    const int r = row();
    if (r == 0)
        model_->setHeading(col_, text);
    else
        model_->setCell(r - 1, col_, text);
}

void Grid::setHeading(int col, const QString& text) { model_->setHeading(col, text); }

QString Grid::cellText(int row, int col) const { return row == 0 ? model_->heading(col) : model_->cell(row - 1, col); }

void Grid::addItem(const QString& tabSeparatedRow, int index)
{
    // An index past the end appends, one before the first item inserts first.
    const int at = std::clamp(index, 1, rows()) - 1;
    beginChange();
    model_->insertItem(at, tabSeparatedRow.split(QLatin1Char('\t')));
    endChange();
}

void Grid::removeItem(int index)
{
    if (index < 1 || index >= rows())
        return;
    beginChange();
    model_->removeItem(index - 1);
    endChange();
}

void Grid::replaceItems(std::vector<QStringList> rows)
{
    beginChange();
    model_->replaceAll(std::move(rows));
    endChange();
}

void Grid::showItems(int count, std::function<QStringList(int item)> rowOf)
{
    beginChange();
    model_->replaceLazily(count, std::move(rowOf));
    endChange();
}

bool Grid::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool mouse =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease;
    if (watched == view_->viewport() && mouse) {
        if (type == QEvent::MouseButtonRelease)
            // Still held while the view turns the release into a click.
            QTimer::singleShot(0, this, [this] { mouseHeld_ = false; });
        else
            mouseHeld_ = true;
        // A click outside the item cells (below the last row, in an empty
        // list) is a click in the grid all the same: the events go out, and
        // the current row stays as it was.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (!view_->indexAt(at).isValid()) {
            clickedRow_ = 0;
            if (type == QEvent::MouseButtonRelease)
                emit Click();
            else if (type == QEvent::MouseButtonDblClick)
                emit DblClick();
            return true;
        }
    } else if (watched == view_->horizontalHeader()->viewport() && mouse) {
        // The heading row is row 0 of the grid: a click there chooses the grid
        // and, like a click outside the cells, leaves the current row alone.
        clickedRow_ = 0;
        if (type == QEvent::MouseButtonRelease)
            emit Click();
        else if (type == QEvent::MouseButtonDblClick)
            emit DblClick();
    }
    return QWidget::eventFilter(watched, event);
}

void Grid::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyRowHeight();
}

void Grid::endChange()
{
    if (--changing_ > 0)
        return;
    // The selection model moves the current index off a removed row without
    // selecting the new one; keep the highlight on the current row.
    const QModelIndex current = view_->currentIndex();
    QItemSelectionModel* selection = view_->selectionModel();
    if (current.isValid() && !selection->isRowSelected(current.row(), {}))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    reportMove();
}

void Grid::reportMove()
{
    const int r = row();
    if (r == lastRow_ && col_ == lastCol_)
        return;
    lastRow_ = r;
    lastCol_ = col_;
    emit RowColChange();
}

void Grid::onCurrentChanged(const QModelIndex& current)
{
    if (current.isValid())
        col_ = current.column();
    if (changing_ == 0)
        reportMove();
}

void Grid::onClicked(const QModelIndex& index, bool doubleClick)
{
    if (!index.isValid())
        return;
    // The view made the pressed cell current already; make sure before the
    // handlers read the current row.
    if (view_->currentIndex() != index) {
        beginChange();
        view_->setCurrentIndex(index);
        endChange();
    }
    clickedRow_ = index.row() + 1;
    if (doubleClick)
        emit DblClick();
    else
        emit Click();
    mouseHeld_ = false;
}

void Grid::applyRowHeight() { view_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6); }

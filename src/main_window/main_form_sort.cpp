// The sort buttons 日時, 名前 and 重要: both lists on display are reordered in
// memory and redisplayed; nothing is written until the next save.
#include "main_window/list_rows.h"
#include "main_window/list_sort.h"
#include "main_window/main_form.h"

#include "ui/grid.h"
#include "ui/ui.h"

#include <QEvent>
#include <QMenuBar>
#include <QPointer>
#include <utility>

namespace {

// Closing the window saves both lists; while one is half sorted it must wait.
class CloseBlocker final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }
};

}  // namespace

// The sort yields to pending events so the window keeps repainting; meanwhile
// no command of the window may start, or it would read, change or save a half
// sorted list. The clock keeps running: an alarm that goes off during the sort
// is run when the sort has finished.
class Main_Form::CommandGuard {
public:
    explicit CommandGuard(Main_Form& form)
        : form_(form), focus_(form.focusWidget()), centralWasEnabled_(form.centralWidget()->isEnabled()),
          menuWasEnabled_(form.menuBar()->isEnabled())
    {
        form_.busy_ = true;
        form_.centralWidget()->setEnabled(false);
        form_.menuBar()->setEnabled(false);
        form_.installEventFilter(&closeBlocker_);
    }

    ~CommandGuard()
    {
        form_.removeEventFilter(&closeBlocker_);
        form_.menuBar()->setEnabled(menuWasEnabled_);
        form_.centralWidget()->setEnabled(centralWasEnabled_);
        if (focus_ && focus_->isEnabled())
            focus_->setFocus();
        form_.busy_ = false;
        if (std::exchange(form_.alarmDeferred_, false))
            form_.CurTime1_Alarm();
    }

    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

private:
    Main_Form& form_;
    QPointer<QWidget> focus_;
    bool centralWasEnabled_;
    bool menuWasEnabled_;
    CloseBlocker closeBlocker_;
};

namespace {

// Sorts one list and shows it again from the list as it now stands (after the
// entry form the rows on display may be out of date); only the rows in sight are
// built. A model reset drops the current row; the sort leaves it where it was.
// The caller keeps the row-change handlers idle meanwhile.
template <class T>
void sortAndShow(ItemList<T>& list, Grid& grid, SortOrder order, const YieldFn& yield)
{
    sortList(list, order, yield);
    const int row = grid.row();
    showList(grid, list);
    if (row > 0 && row < grid.rows())
        grid.setRow(row);
}

template <class T, class S>
void sortBoth(ItemList<T>& todos, ItemList<S>& schedules, Grid& grid1, Grid& grid2, SortOrder order,
              const YieldFn& yield)
{
    sortAndShow(todos, grid1, order, yield);
    sortAndShow(schedules, grid2, order, yield);
}

}  // namespace

void Main_Form::sortShown(SortOrder order)
{
    if (busy_)
        return;
    CommandGuard guard(*this);
    BusyPointer busy;
    const bool wasLoading = std::exchange(loading_, true);
    const YieldFn yield = everyFewSteps([this] { ui_.yieldToEvents(); });
    if (!openListsShown())
        sortBoth(store_.doneTodos, store_.doneSchedules, *Grid1, *Grid2, order, yield);
    else if (ownListsShown_)
        sortBoth(store_.todos, store_.schedules, *Grid1, *Grid2, order, yield);
    else
        sortBoth(store_.memberTodos, store_.memberSchedules, *Grid1, *Grid2, order, yield);
    loading_ = wasLoading;
}

void Main_Form::Command6_Click() { sortShown(SortOrder::DateTime); }
void Main_Form::Command7_Click() { sortShown(SortOrder::Name); }
void Main_Form::Command8_Click() { sortShown(SortOrder::Important); }

void Main_Form::sortOwnListsByDate()
{
    if (busy_)
        return;
    CommandGuard guard(*this);
    BusyPointer busy;
    const bool wasLoading = std::exchange(loading_, true);
    sortBoth(store_.todos, store_.schedules, *Grid1, *Grid2, SortOrder::DateTime,
             everyFewSteps([this] { ui_.yieldToEvents(); }));
    loading_ = wasLoading;
}

// Whose lists the grids show: the user's own or a colleague's, read-only.
#include "main_window/list_rows.h"
#include "main_window/main_form.h"

#include "store/list_file.h"
#include "ui/calendar.h"
#include "ui/grid.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kNoTodoFile = QStringLiteral("ＴｏＤｏデータのファイルがありません");
const QString kNoScheduleFile = QStringLiteral("Scheduleデータのファイルがありません");

}  // namespace

void Main_Form::showOwnRows()
{
    showList(*Grid1, store_.todos);
    showList(*Grid2, store_.schedules);
}

void Main_Form::Combo1_Click(int index)
{
    loading_ = true;
    if (index <= 0)
        showOwnLists();
    else
        showMemberLists(index);
    loading_ = false;
    // A list given up leaves the view, and so the combo, as it was.
    Combo1->setCurrentIndex(shownMember_);
}

void Main_Form::setEditingEnabled(bool own)
{
    for (QPushButton* b : {Command9, Command10, Command12, Command14})
        b->setEnabled(own);
    Command11->setEnabled(!own);
    CSCalendar1->setEnabled(own);
}

void Main_Form::showOwnLists()
{
    if (ownListsShown_)
        return;
    ownListsShown_ = true;
    shownMember_ = 0;
    showOwnRows();
    T_memo->clear();
    setEditingEnabled(true);
    writeListTitles(store_.todoCount(), store_.scheduleCount());
}

void Main_Form::showMemberLists(int k)
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    ItemStore incoming;
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        const QString& file = listFileName(kind);
        if (!fileExistsIgnoringCase(settings_.memberDirectory(k), file))
            ui_.message(this, kind == ListKind::Todo ? kNoTodoFile : kNoScheduleFile, MsgButtons::Ok,
                        MsgIcon::Exclamation);
        const bool read = readOrGiveUp(
            handler,
            [&] {
                // The directory as it stands now: the member dialog may have corrected it.
                const QString dir = settings_.memberDirectory(k);
                if (!QDir::isAbsolutePath(dir))
                    return FileStatus{FileError::PathNotFound, dir + file, 0};
                return loadMemberList(dir, kind, incoming);
            },
            Scope::Member);
        // Given up: the view stays as it was.
        if (!read)
            return;
    }
    store_.previousMemberTodoCount = store_.memberTodos.count();
    store_.previousMemberScheduleCount = store_.memberSchedules.count();
    store_.memberTodos = std::move(incoming.memberTodos);
    store_.memberSchedules = std::move(incoming.memberSchedules);
    store_.memberTodoHeader = incoming.memberTodoHeader;
    store_.memberScheduleHeader = incoming.memberScheduleHeader;

    showList(*Grid1, store_.memberTodos);
    showList(*Grid2, store_.memberSchedules);
    T_memo->clear();
    setEditingEnabled(false);
    ownListsShown_ = false;
    shownMember_ = k;
    writeListTitles(store_.memberTodos.count(), store_.memberSchedules.count());
}

void Main_Form::Grid1_Click() { selectedList_ = QStringLiteral("todo"); }
void Main_Form::Grid2_Click() { selectedList_ = QStringLiteral("sche"); }

void Main_Form::Grid1_RowColChange()
{
    if (loading_)
        return;
}

void Main_Form::Grid2_RowColChange()
{
    if (loading_)
        return;
}

bool Main_Form::openListsShown() const { return Command13->text() == QStringLiteral("完了表示"); }

#include "entry/registration.h"

#include "store/cp932.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/time_source.h"
#include "ui/ui.h"

RegistrationCase chooseRegistration(TargetKind targetKind, EntryKind kind)
{
    switch (targetKind) {
    case TargetKind::New:
        return kind == EntryKind::Schedule ? RegistrationCase::NewSchedule : RegistrationCase::NewTodo;
    case TargetKind::ChangeTodo:
        return kind == EntryKind::Schedule ? RegistrationCase::TodoToSchedule : RegistrationCase::TodoInPlace;
    case TargetKind::ChangeSchedule:
        return kind == EntryKind::Todo ? RegistrationCase::ScheduleToTodo : RegistrationCase::ScheduleInPlace;
    }
    Q_UNREACHABLE();
    return RegistrationCase::NewTodo;
}

namespace {

// One registration. Memory is changed outside the file steps and each step
// only writes what memory holds, so a step the trap retries (a list file held
// by a colleague's program, say) writes the same bytes again and never adds an
// item twice. A write the user gives up leaves the item in memory: the next
// rewrite of the file (at the latest at shutdown) stores it.
class Registration {
public:
    Registration(EntryContext& context, const EntryState& state)
        : ctx_(context), state_(state), trap_(context.trap())
    {
    }

    RegistrationOutcome run(QWidget* parent)
    {
        const RegistrationCase c = chooseRegistration(ctx_.targetKind, state_.kind);
        switch (c) {
        case RegistrationCase::NewTodo:
            if (!roomForNew(ctx_.store.todos, kTodoFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            addNew(ctx_.store.todos, ListKind::Todo, newTodoItem(state_, today()));
            break;
        case RegistrationCase::NewSchedule:
            if (!roomForNew(ctx_.store.schedules, kScheduleFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            addNew(ctx_.store.schedules, ListKind::Schedule, newScheduleItem(state_, today()));
            break;
        case RegistrationCase::TodoInPlace:
            changeInPlace(ctx_.store.todos, ListKind::Todo);
            break;
        case RegistrationCase::ScheduleInPlace:
            changeInPlace(ctx_.store.schedules, ListKind::Schedule);
            break;
        case RegistrationCase::TodoToSchedule: {
            const int r = selectedRow(ctx_.store.todos);
            if (r == 0)
                break;
            // The room is checked before the item leaves its list, so a refusal
            // loses nothing: the item and its memo file stay as they were.
            if (ctx_.store.schedules.isFull())
                return refuse(kScheduleTargetFullMessage, parent);
            removeFromSource(ctx_.store.todos, ListKind::Todo, r);
            addNew(ctx_.store.schedules, ListKind::Schedule, newScheduleItem(state_, today()));
            break;
        }
        case RegistrationCase::ScheduleToTodo: {
            const int r = selectedRow(ctx_.store.schedules);
            if (r == 0)
                break;
            if (ctx_.store.todos.isFull())
                return refuse(kTodoTargetFullMessage, parent);
            removeFromSource(ctx_.store.schedules, ListKind::Schedule, r);
            addNew(ctx_.store.todos, ListKind::Todo, newTodoItem(state_, today()));
            break;
        }
        }
        changes_.armAlarm = true;
        return {RegistrationResult::Done, changes_};
    }

private:
    QDate today() const { return ctx_.time.today(); }
    bool memoUntouched() const { return state_.memoAsLoaded && state_.memo == *state_.memoAsLoaded; }
    // Read at each attempt: the own-settings dialog the trap offers may have
    // moved the data directory.
    QString ownDirectory() const { return ctx_.settings.ownDirectory(); }

    template <class T>
    bool roomForNew(const ItemList<T>& list, const QString& message, QWidget* parent)
    {
        if (list.count() < kNewItemLimit)
            return true;
        ctx_.ui.message(parent, message, MsgButtons::Ok);
        return false;
    }

    RegistrationOutcome refuse(const QString& message, QWidget* parent)
    {
        ctx_.ui.message(parent, message, MsgButtons::Ok);
        return {RegistrationResult::Refused, {}};
    }

    // The selected row names the item; a row that holds no item names none.
    template <class T>
    int selectedRow(const ItemList<T>& list) const
    {
        const int r = ctx_.row;
        return r >= 1 && r <= list.count() ? r : 0;
    }

    void changed(ListKind kind) { (kind == ListKind::Todo ? changes_.todos : changes_.schedules) = true; }

    template <class T>
    void addNew(ItemList<T>& list, ListKind kind, T item)
    {
        list.append(std::move(item));
        changed(kind);
        const int n = list.count();
        list[n].memoNo = Field::number(writeNewMemo());
        saveSettings();
        saveList(kind);
    }

    template <class T>
    void changeInPlace(ItemList<T>& list, ListKind kind)
    {
        const int r = selectedRow(list);
        if (r == 0)
            return;
        changed(kind);
        T& item = list[r];
        applyEntry(item, state_);
        const int m = memoNumber(item.memoNo);
        const bool typed = !state_.memo.isEmpty();
        if (m == 0 && typed) {
            item.memoNo = Field::number(writeNewMemo());
        } else if (m != 0 && (typed ? memoUntouched() : !state_.memoAsLoaded)) {
            // Left as it is. Writing an untouched memo again would drop bytes the
            // text cannot hold and a missing final CR LF; an empty box over a memo
            // that could not be read is no wish to delete it.
        } else if (m != 0 && typed) {
            // Given up: the file keeps its previous text and the item its number.
            writeMemoFile(m);
        } else if (m != 0 && deleteMemoFile(m)) {
            // A deletion given up keeps the number, so the memo still shown is
            // the one still on disk.
            item.memoNo = Field::number(0);
        }
        saveSettings();
        saveList(kind);
    }

    template <class T>
    void removeFromSource(ItemList<T>& list, ListKind kind, int r)
    {
        // A memo that could not be read and was not replaced stays on disk, out of
        // the user's sight: the moved item gets no memo number for it.
        const int m = memoNumber(list[r].memoNo);
        if (m != 0 && (state_.memoAsLoaded || !state_.memo.isEmpty()))
            deleteMemoFile(m);
        changes_.memoPanelStale = true;
        list.removeAt(r);
        changed(kind);
        saveSettings();
        saveList(kind);
    }

    // Allocates a number and writes the memo under it; 0 when no memo was typed
    // or its file could not be written. The counter stays stepped either way and
    // reaches the settings file in the step after this one, so the number is
    // never handed out again (a file left by an earlier attempt is passed over
    // by the allocation too).
    int writeNewMemo()
    {
        if (state_.memo.isEmpty())
            return 0;
        const int n = allocateMemoNo(ctx_.settings, ownDirectory());
        return writeMemoFile(n) ? n : 0;
    }

    bool writeMemoFile(int n)
    {
        return trap_
            .run([&] { return writeMemo(memoPath(ownDirectory(), n), state_.memo); }, Scope::Own, StepKind::Write)
            .ok();
    }

    bool deleteMemoFile(int n)
    {
        return trap_
            .run(
                [&] {
                    FileStatus s = removeFile(memoPath(ownDirectory(), n));
                    // Already gone is as good as deleted; a missing folder is still told.
                    if (s.error == FileError::FileNotFound)
                        s = FileStatus::success();
                    return s;
                },
                Scope::Own, StepKind::Write)
            .ok();
    }

    void saveSettings()
    {
        if (ctx_.placement)
            ctx_.settings.setPlacement(ctx_.placement());
        trap_.run([&] { return writeSettings(ctx_.settingsPath, ctx_.settings); }, Scope::Own, StepKind::Write);
    }

    void saveList(ListKind kind)
    {
        trap_.run([&] { return ::saveList(ownDirectory(), kind, ctx_.store); }, Scope::Own, StepKind::Write);
    }

    EntryContext& ctx_;
    const EntryState& state_;
    FileErrorHandler trap_;
    EntryChanges changes_;
};

}  // namespace

RegistrationOutcome registerEntry(EntryContext& context, const EntryState& state, QWidget* messageParent)
{
    if (state.content.isEmpty()) {
        context.ui.beep();
        context.ui.message(messageParent, kEmptyContentMessage, MsgButtons::Ok);
        return {RegistrationResult::EmptyContent, {}};
    }
    // Refused before anything changes: such a character would be stored as '?'.
    // A memo left as loaded is passed over: the user did not type it, and in
    // place it is not written again.
    const auto unusable = [&]() -> QString {
        if (!cp932::canEncode(state.content))
            return QStringLiteral("内容");
        if (!cp932::canEncode(state.person))
            return QStringLiteral("やる人");
        if (!(state.memoAsLoaded && state.memo == *state.memoAsLoaded) && !cp932::canEncode(state.memo))
            return QStringLiteral("メモ");
        return {};
    }();
    if (!unusable.isEmpty()) {
        context.ui.beep();
        const QString text = kUnusableCharactersMessage + QStringLiteral("\n（") + unusable + QStringLiteral("）");
        context.ui.message(messageParent, text, MsgButtons::Ok, MsgIcon::Exclamation);
        return {RegistrationResult::UnusableCharacters, {}};
    }
    return Registration(context, state).run(messageParent);
}

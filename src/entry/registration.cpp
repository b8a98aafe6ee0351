#include "entry/registration.h"

#include "store/cp932.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <optional>

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
// item twice. A memo typed is written first of all: when the user gives that
// write up, nothing has changed yet and the form stays open with everything
// typed. A list or settings write the user gives up leaves the item in memory:
// the next rewrite of the file (at the latest at shutdown) stores it.
class Registration {
public:
    Registration(EntryContext& context, const EntryState& state)
        : ctx_(context), state_(state), trap_(context.trap())
    {
    }

    RegistrationOutcome run(QWidget* parent)
    {
        const RegistrationCase c = chooseRegistration(ctx_.targetKind, state_.kind);
        const bool change = c != RegistrationCase::NewTodo && c != RegistrationCase::NewSchedule;
        const bool todoSource = c == RegistrationCase::TodoInPlace || c == RegistrationCase::TodoToSchedule;
        if (change && ctx_.row >= 1 &&
            (todoSource ? selectedRow(ctx_.store.todos) : selectedRow(ctx_.store.schedules)) == 0) {
            ctx_.ui.message(parent, kItemGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
            return {RegistrationResult::ItemGone, {}};
        }
        switch (c) {
        case RegistrationCase::NewTodo:
            if (!roomForNew(ctx_.store.todos, kTodoFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            if (!addNew(ctx_.store.todos, ListKind::Todo, newTodoItem(state_, today())))
                return memoNotWritten();
            break;
        case RegistrationCase::NewSchedule:
            if (!roomForNew(ctx_.store.schedules, kScheduleFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            if (!addNew(ctx_.store.schedules, ListKind::Schedule, newScheduleItem(state_, today())))
                return memoNotWritten();
            break;
        case RegistrationCase::TodoInPlace:
            if (!changeInPlace(ctx_.store.todos, ListKind::Todo))
                return memoNotWritten();
            break;
        case RegistrationCase::ScheduleInPlace:
            if (!changeInPlace(ctx_.store.schedules, ListKind::Schedule))
                return memoNotWritten();
            break;
        case RegistrationCase::TodoToSchedule:
            // The room is checked before the item leaves its list, so a refusal
            // loses nothing: the item and its memo file stay as they were.
            if (selectedRow(ctx_.store.todos) != 0 && ctx_.store.schedules.isFull())
                return refuse(kScheduleTargetFullMessage, parent);
            if (!move(ctx_.store.todos, ListKind::Todo, ctx_.store.schedules, ListKind::Schedule,
                      newScheduleItem(state_, today())))
                return memoNotWritten();
            break;
        case RegistrationCase::ScheduleToTodo:
            if (selectedRow(ctx_.store.schedules) != 0 && ctx_.store.todos.isFull())
                return refuse(kTodoTargetFullMessage, parent);
            if (!move(ctx_.store.schedules, ListKind::Schedule, ctx_.store.todos, ListKind::Todo,
                      newTodoItem(state_, today())))
                return memoNotWritten();
            break;
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

    // The trap has told why; the counter stays where it went, so the number
    // tried is never handed out again.
    static RegistrationOutcome memoNotWritten() { return {RegistrationResult::MemoNotWritten, {}}; }

    // The item the form was opened on: at its row, or found again should the
    // list have moved meanwhile; 0 when no row was given or it is gone.
    template <class T>
    int selectedRow(const ItemList<T>& list) const
    {
        const int r = ctx_.row;
        if (r < 1)
            return 0;
        if (ctx_.itemAtOpen.isEmpty())
            return r <= list.count() ? r : 0;
        if (r <= list.count() && recordBytes(list[r]) == ctx_.itemAtOpen)
            return r;
        for (int i = 1; i <= list.count(); ++i)
            if (recordBytes(list[i]) == ctx_.itemAtOpen)
                return i;
        return 0;
    }

    void changed(ListKind kind) { (kind == ListKind::Todo ? changes_.todos : changes_.schedules) = true; }

    void record(ListKind kind, ListEdit::Kind edit, QByteArray before, QByteArray after)
    {
        ctx_.recordEdit(kind, {edit, std::move(before), std::move(after)});
    }

    // The memo of a new item, written under a new number: the number, 0 when
    // no memo was typed, nothing when the user gave the write up.
    std::optional<int> writeNewMemo()
    {
        if (state_.memo.isEmpty())
            return 0;
        const int n = allocateMemoNo(ctx_.settings, ownDirectory());
        if (!writeMemoFile(n)) {
            releaseMemoNo(ownDirectory(), n);
            return std::nullopt;
        }
        return n;
    }

    template <class T>
    bool addNew(ItemList<T>& list, ListKind kind, T item)
    {
        const std::optional<int> memo = writeNewMemo();
        if (!memo)
            return false;
        item.memoNo = Field::number(*memo);
        record(kind, ListEdit::Kind::Add, {}, recordBytes(item));
        list.append(std::move(item));
        changed(kind);
        saveSettings();
        saveList(kind);
        return true;
    }

    template <class T>
    bool changeInPlace(ItemList<T>& list, ListKind kind)
    {
        const int r = selectedRow(list);
        if (r == 0)
            return true;
        const int m = memoNumber(list[r].memoNo);
        const bool typed = !state_.memo.isEmpty();
        int memoNo = m;
        if (m == 0 && typed) {
            const std::optional<int> memo = writeNewMemo();
            if (!memo)
                return false;
            memoNo = *memo;
        } else if (m != 0 && (typed ? memoUntouched() : !state_.memoAsLoaded)) {
            // Left as it is. Writing an untouched memo again would drop bytes the
            // text cannot hold and a missing final CR LF; an empty box over a memo
            // that could not be read is no wish to delete it.
        } else if (m != 0 && typed) {
            if (!writeMemoFile(m))
                return false;
        } else if (m != 0 && deleteMemoFile(m)) {
            // A deletion given up keeps the number, so the memo still shown is
            // the one still on disk.
            memoNo = 0;
        }
        T& item = list[r];
        const QByteArray before = recordBytes(item);
        applyEntry(item, state_);
        if (memoNo != m)
            item.memoNo = Field::number(memoNo);
        record(kind, ListEdit::Kind::Replace, before, recordBytes(item));
        changed(kind);
        saveSettings();
        saveList(kind);
        return true;
    }

    // The item of the source list's selected row becomes a new item of the
    // target list, with its memo written again under a new number.
    template <class S, class T>
    bool move(ItemList<S>& source, ListKind sourceKind, ItemList<T>& target, ListKind targetKind, T item)
    {
        const int r = selectedRow(source);
        if (r == 0)
            return true;
        const std::optional<int> memo = writeNewMemo();
        if (!memo)
            return false;
        // A memo that could not be read and was not replaced stays on disk, out of
        // the user's sight: the moved item gets no memo number for it.
        const int m = memoNumber(source[r].memoNo);
        if (m != 0 && (state_.memoAsLoaded || !state_.memo.isEmpty()))
            deleteMemoFile(m);
        changes_.memoPanelStale = true;
        record(sourceKind, ListEdit::Kind::Remove, recordBytes(source[r]), {});
        source.removeAt(r);
        changed(sourceKind);
        saveSettings();
        saveList(sourceKind);

        item.memoNo = Field::number(*memo);
        record(targetKind, ListEdit::Kind::Add, {}, recordBytes(item));
        target.append(std::move(item));
        changed(targetKind);
        saveSettings();
        saveList(targetKind);
        return true;
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
        trap_.run([&] { return ctx_.writeList(kind); }, Scope::Own, StepKind::Write);
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

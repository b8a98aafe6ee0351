#include "entry/registration.h"

#include "core/commands.h"
#include "store/cp932.h"
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

// One registration, handed to the core as one command: a memo to write, the
// settings, the list edits and a memo to remove, in that order. Nothing
// changes when a step before the list edits (a memo file) is given up: the
// form then stays open with everything typed. A list write given up leaves
// the change in memory; the core writes it with the next write of that list,
// at the latest at shutdown.
class Registration {
public:
    Registration(EntryContext& context, const EntryState& state) : ctx_(context), state_(state), trap_(context.trap())
    {
    }

    RegistrationOutcome run(QWidget* parent)
    {
        const ItemStore& store = ctx_.core.store();
        const RegistrationCase c = chooseRegistration(ctx_.targetKind, state_.kind);
        const bool change = c != RegistrationCase::NewTodo && c != RegistrationCase::NewSchedule;
        const bool todoSource = c == RegistrationCase::TodoInPlace || c == RegistrationCase::TodoToSchedule;
        if (change && ctx_.row >= 1 && (todoSource ? selectedRow(store.todos) : selectedRow(store.schedules)) == 0) {
            ctx_.ui.message(parent, kItemGoneMessage, MsgButtons::Ok, MsgIcon::Exclamation);
            return {RegistrationResult::ItemGone, {}};
        }
        bool stored = true;
        switch (c) {
        case RegistrationCase::NewTodo:
            if (!roomForNew(store.todos, kTodoFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            stored = addNew(ListKind::Todo, newTodoItem(state_, today()));
            break;
        case RegistrationCase::NewSchedule:
            if (!roomForNew(store.schedules, kScheduleFullMessage, parent))
                return {RegistrationResult::ListFull, {}};
            stored = addNew(ListKind::Schedule, newScheduleItem(state_, today()));
            break;
        case RegistrationCase::TodoInPlace:
            stored = changeInPlace(store.todos, ListKind::Todo);
            break;
        case RegistrationCase::ScheduleInPlace:
            stored = changeInPlace(store.schedules, ListKind::Schedule);
            break;
        case RegistrationCase::TodoToSchedule:
            // The room is checked before the item leaves its list, so a refusal
            // loses nothing: the item and its memo file stay as they were.
            if (selectedRow(store.todos) != 0 && store.schedules.isFull())
                return refuse(kScheduleTargetFullMessage, parent);
            stored = move(store.todos, ListKind::Todo, ListKind::Schedule, newScheduleItem(state_, today()));
            break;
        case RegistrationCase::ScheduleToTodo:
            if (selectedRow(store.schedules) != 0 && store.todos.isFull())
                return refuse(kTodoTargetFullMessage, parent);
            stored = move(store.schedules, ListKind::Schedule, ListKind::Todo, newTodoItem(state_, today()));
            break;
        }
        if (!stored)
            return {RegistrationResult::GivenUp, {}};
        changes_.armAlarm = true;
        return {RegistrationResult::Done, changes_};
    }

private:
    QDate today() const { return ctx_.time.today(); }
    bool memoUntouched() const { return state_.memoAsLoaded && state_.memo == *state_.memoAsLoaded; }

    template <class T> bool roomForNew(const ItemList<T>& list, const QString& message, QWidget* parent)
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

    // The item the form was opened on: at its row, or found again should the
    // list have moved meanwhile; 0 when no row was given or it is gone.
    template <class T> int selectedRow(const ItemList<T>& list) const
    {
        const int r = ctx_.row;
        if (r < 1)
            return 0;
        if (ctx_.itemAtOpen.isEmpty())
            return r <= list.count() ? r : 0;
        return findRecord(list, ctx_.itemAtOpen, r);
    }

    void changed(ListKind kind) { (kind == ListKind::Todo ? changes_.todos : changes_.schedules) = true; }

    // The memo typed, under a new number claimed now; no number when no memo
    // was typed. False when no number is left.
    bool newMemo(commands::MemoFile& memo)
    {
        if (state_.memo.isEmpty())
            return true;
        claimed_ = ctx_.core.allocateMemoNo();
        memo = {claimed_, memoBytesFromText(state_.memo)};
        return claimed_ != 0;
    }

    // Runs the command; given up before anything changed, the number claimed
    // for a new memo goes back.
    bool store(Job job)
    {
        const JobResult r = ctx_.core.run(std::move(job), trap_);
        changes_.merged = changes_.merged || r.merged;
        changes_.keptBoth = changes_.keptBoth || r.keptBoth;
        if (r.begun())
            return true;
        if (claimed_ != 0)
            ctx_.core.releaseMemoNo(claimed_);
        return false;
    }

    template <class T> bool addNew(ListKind kind, T item)
    {
        commands::MemoFile memo;
        if (!newMemo(memo))
            return false;
        item.memoNo = Field::number(memo.number);
        if (!store(commands::add(kind, recordBytes(item), memo)))
            return false;
        changed(kind);
        return true;
    }

    template <class T> bool changeInPlace(const ItemList<T>& list, ListKind kind)
    {
        const int r = selectedRow(list);
        if (r == 0)
            return true;
        const int m = memoNumber(list[r].memoNo);
        const bool typed = !state_.memo.isEmpty();
        commands::MemoFile memo;
        int memoNo = m;
        int removeAfter = 0;
        if (m == 0 && typed) {
            if (!newMemo(memo))
                return false;
            memoNo = memo.number;
        } else if (m != 0 && (typed ? memoUntouched() : !state_.memoAsLoaded)) {
            // Left as it is. Writing an untouched memo again would drop bytes the
            // text cannot hold and a missing final CR LF; an empty box over a memo
            // that could not be read is no wish to delete it.
        } else if (m != 0 && typed) {
            memo = {m, memoBytesFromText(state_.memo)};
        } else if (m != 0) {
            // Emptied: the record drops the number first, then the file goes.
            memoNo = 0;
            removeAfter = m;
        }
        T item = list[r];
        const QByteArray before = recordBytes(item);
        applyEntry(item, state_);
        if (memoNo != m)
            item.memoNo = Field::number(memoNo);
        if (!store(commands::change(kind, r, before, recordBytes(item), memo, removeAfter)))
            return false;
        changed(kind);
        return true;
    }

    // The item of the source list's selected row becomes a new item of the
    // target list, with its memo written again under a new number.
    template <class S, class T> bool move(const ItemList<S>& source, ListKind sourceKind, ListKind targetKind, T item)
    {
        const int r = selectedRow(source);
        if (r == 0)
            return true;
        commands::MemoFile memo;
        if (!newMemo(memo))
            return false;
        item.memoNo = Field::number(memo.number);
        // A memo that could not be read and was not replaced stays on disk, out of
        // the user's sight: the moved item gets no memo number for it.
        const int m = memoNumber(source[r].memoNo);
        const int removeAfter = m != 0 && (state_.memoAsLoaded || !state_.memo.isEmpty()) ? m : 0;
        if (!store(commands::move(sourceKind, r, recordBytes(source[r]), targetKind, recordBytes(item), memo,
                                  removeAfter)))
            return false;
        changes_.memoPanelStale = true;
        changed(sourceKind);
        changed(targetKind);
        return true;
    }

    EntryContext& ctx_;
    const EntryState& state_;
    FileErrorHandler trap_;
    EntryChanges changes_;
    int claimed_ = 0;
};

}   // namespace

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

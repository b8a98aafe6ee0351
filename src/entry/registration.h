#pragma once
// "登録" of the entry form: the form's state becomes a ToDo or schedule item of
// the own lists, with its memo file, and the settings and list files are
// rewritten. The form only reads its controls and closes as told.

#include "entry/entry_context.h"
#include "entry/entry_values.h"
#include "ui/ui.h"

class QWidget;

enum class RegistrationCase {
    NewTodo,
    NewSchedule,
    TodoInPlace,
    ScheduleInPlace,
    TodoToSchedule,
    ScheduleToTodo,
};

RegistrationCase chooseRegistration(TargetKind targetKind, EntryKind kind);

enum class RegistrationResult {
    EmptyContent,   // told; the form stays open for correction
    UnusableCharacters,   // a character code page 932 cannot hold: told; the form stays open
    ListFull,   // a new item over the limit: told; the form stays open
    GivenUp,   // a file step before the lists changed (a memo's file, say) given
               // up: told by the trap, nothing changed; the form stays open
    Refused,   // kind change into a full list: told, nothing changed; the form closes
    ItemGone,   // the item to change is no longer in its list: told, nothing changed; the form closes
    Done,   // stored (or nothing to store) and the alarm re-armed; the form closes
};

inline const QString kEmptyContentMessage = QStringLiteral("内容を入力して下さい。");
inline const QString kItemGoneMessage =
    QStringLiteral("変更しようとした項目が見つかりません。\n一覧が変わったため、変更は記録しませんでした。");
inline const QString kTodoFullMessage = QStringLiteral("やることが３００００件を越えますので登録できません。");
inline const QString kScheduleFullMessage = QStringLiteral("予定が３００００件を越えますので登録できません。");
inline const QString kTodoTargetFullMessage = QStringLiteral("ToDoが30000件を越えたので登録できませんでした");
inline const QString kScheduleTargetFullMessage = QStringLiteral("Scheduleが30000件を越えたので登録できませんでした");

// A new item is refused from this many items on; an item changing kind only
// when the target list is full.
inline constexpr int kNewItemLimit = 29999;

struct [[nodiscard]] RegistrationOutcome {
    RegistrationResult result;
    EntryChanges changes;
};

// Runs the whole registration. Messages of its own go to messageParent; file
// failures go through the context's trap.
RegistrationOutcome registerEntry(EntryContext& context, const EntryState& state, QWidget* messageParent);

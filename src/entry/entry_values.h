#pragma once
// What the entry form holds, as plain values, and the record fields built from
// it. No widgets here: the form copies its labels and options into EntryState.

#include "store/records.h"

#include <QDate>
#include <QString>
#include <optional>

// The deadline options: "下記" (the date below), "今日中", "期限無し".
enum class Deadline { OnDate, Today, None };
// The kind options: "やること", "予定".
enum class EntryKind { Todo, Schedule };

struct EntryState {
    EntryKind kind = EntryKind::Todo;
    Deadline deadline = Deadline::OnDate;
    bool noTime = false;   // "時刻指定無し"
    // The labels L_nen, L_tuki, L_hi, L_ji, L_fun as they read.
    QString year, month, day, hour, minute;
    QString content;   // T_naiyo, without the mark
    QString person;   // cmbo_tanto
    QString memo;   // T_memo of the form
    // T_memo as the form loaded it: empty for no memo or a memo file that is
    // gone, no value when the memo file could not be read. Registration leaves
    // an untouched memo file alone and never deletes one it could not read.
    std::optional<QString> memoAsLoaded;
    bool important = false;
    bool secret = false;
    bool alarm = false;
};

// "yyyy/mm/dd", or the today / no-deadline sentinel.
QString entryDate(const EntryState& s);
// "HH:MM", or the "00:00" / "99:99" sentinel.
QString entryTime(const EntryState& s);
// The content as stored: "●" in front of an important item's text.
QString entryContent(const EntryState& s);

// Overwrites what a change may touch: date, time, content, person, alarm,
// secret and important. entryDate, rank, spare and memoNo stay.
void applyEntry(OpenItem& item, const EntryState& s);

// A new item registered today: entryDate today, memoNo 0, empty spare, rank
// 9999 for a ToDo item.
TodoItem newTodoItem(const EntryState& s, const QDate& today);
ScheduleItem newScheduleItem(const EntryState& s, const QDate& today);

// The text T_naiyo shows for a stored item: an important item's content without
// its first character (the mark).
QString contentForEditing(const OpenItem& item);

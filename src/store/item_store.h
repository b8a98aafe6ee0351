#pragma once
// Everything the program holds in memory of the lists, owned by the main window.

#include "store/item_list.h"
#include "store/records.h"

#include <QByteArray>
#include <QString>

struct ItemStore {
    ItemList<TodoItem> todos;
    ItemList<ScheduleItem> schedules;
    QByteArray todoHeader;   // written back as line 1 of the own files
    QByteArray scheduleHeader;

    // The member being viewed: read-only copies with secret items masked. Their
    // headers are kept apart so that viewing a colleague never changes the
    // header line of the own files.
    ItemList<TodoItem> memberTodos;
    ItemList<ScheduleItem> memberSchedules;
    QByteArray memberTodoHeader;
    QByteArray memberScheduleHeader;

    ItemList<DoneTodoItem> doneTodos;
    ItemList<DoneScheduleItem> doneSchedules;
    QString doneTodoPath;
    QString doneSchedulePath;

    int todoCount() const { return todos.count(); }
    int scheduleCount() const { return schedules.count(); }
};

#pragma once
// The dialogs the presenter asks the user with. Each gets the data it works on
// and returns what the user chose or changed; none changes the settings or the
// lists itself. The window gives the real dialogs (QtForms); tests script them.

#include "core/core.h"
#include "entry/entry_context.h"
#include "main_window/alarm_choice.h"
#include "maintenance/search_context.h"
#include "settings/password_actions.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

enum class ItemQuestion { Delete, Transcribe };

class Forms {
public:
    virtual ~Forms() = default;
    // The entry form, on a new item or one to change; what registering changed.
    virtual EntryChanges entry(EntryContext context) = 0;
    // F_sakujo or F_tenki on the item: true when the user went ahead.
    virtual bool confirm(ItemQuestion question, ListKind kind, const ItemTexts& item) = 0;
    // F_mydata; nothing when cancelled.
    virtual std::optional<OwnEntry> ownSettings(const AppSettings& settings) = 0;
    // F_memdata; nothing when cancelled.
    virtual std::optional<MemberEntry> member(const AppSettings& settings) = 0;
    // F_Y2K: true to convert the previous version's data, false to end.
    virtual bool convertOldData() = 0;
    // F_ansyo: true when the password typed is the stored one.
    virtual bool password(const QByteArray& stored) = 0;
    virtual void passwordSettings(const PasswordActions& actions) = 0;
    virtual void search(SearchContext context) = 0;
    // F_Alarm, until the user closes it.
    virtual void alarm(const AlarmNotice& notice) = 0;
};

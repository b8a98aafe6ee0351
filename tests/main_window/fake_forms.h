#pragma once
// Scripted dialogs for the presenter's tests: no widget is made. Each kind of
// dialog answers from a queue the test fills (or a function it sets); what
// was asked is recorded. An empty queue answers as the user who cancels.

#include "entry/registration.h"
#include "main_window/forms.h"

#include <QQueue>
#include <QStringList>
#include <functional>

class FakeForms final : public Forms {
public:
    EntryChanges entry(EntryContext context) override
    {
        asked << QStringLiteral("F_kinyu");
        if (entries.isEmpty())
            return {};
        return entries.dequeue()(context);
    }
    bool confirm(ItemQuestion question, ListKind, const ItemTexts& item) override
    {
        asked << (question == ItemQuestion::Delete ? QStringLiteral("F_sakujo") : QStringLiteral("F_tenki"));
        confirmed << item;
        return !confirms.isEmpty() && confirms.dequeue();
    }
    std::optional<OwnEntry> ownSettings(const AppSettings&) override
    {
        asked << QStringLiteral("F_mydata");
        return ownEntries.isEmpty() ? std::nullopt : ownEntries.dequeue();
    }
    std::optional<MemberEntry> member(const AppSettings&) override
    {
        asked << QStringLiteral("F_memdata");
        return memberEntries.isEmpty() ? std::nullopt : memberEntries.dequeue();
    }
    bool convertOldData() override
    {
        asked << QStringLiteral("F_Y2K");
        return !conversions.isEmpty() && conversions.dequeue();
    }
    bool password(const QByteArray&) override
    {
        asked << QStringLiteral("F_ansyo");
        return !passwords.isEmpty() && passwords.dequeue();
    }
    void passwordSettings(const PasswordActions& actions) override
    {
        asked << QStringLiteral("F_passw");
        if (onPasswordSettings)
            onPasswordSettings(actions);
    }
    void search(SearchContext) override { asked << QStringLiteral("F_kensaku"); }
    void alarm(const AlarmNotice& notice) override
    {
        asked << QStringLiteral("F_Alarm");
        alarms << notice;
        if (onAlarm)
            onAlarm(notice);
    }

    // The entry form filled in as `state` and registered.
    void registers(EntryState state)
    {
        entries.enqueue([this, state](EntryContext& context) {
            const RegistrationOutcome outcome = registerEntry(context, state, nullptr);
            registered << outcome.result;
            return outcome.changes;
        });
    }

    QStringList asked;   // objectNames of the dialogs, in order
    QList<ItemTexts> confirmed;
    QList<AlarmNotice> alarms;
    QList<RegistrationResult> registered;   // what each registration scripted came to
    QQueue<std::function<EntryChanges(EntryContext&)>> entries;
    QQueue<bool> confirms;
    QQueue<std::optional<OwnEntry>> ownEntries;
    QQueue<std::optional<MemberEntry>> memberEntries;
    QQueue<bool> conversions;
    QQueue<bool> passwords;
    std::function<void(const PasswordActions&)> onPasswordSettings;
    std::function<void(const AlarmNotice&)> onAlarm;
};

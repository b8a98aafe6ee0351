#pragma once
// Dialogs for benchmarks: every question answered yes, the entry form filled
// in as `filledIn` and registered, every other dialog cancelled.

#include "entry/registration.h"
#include "main_window/forms.h"

class QuietForms final : public Forms {
public:
    EntryState filledIn;

    EntryChanges entry(EntryContext context) override { return registerEntry(context, filledIn, nullptr).changes; }
    bool confirm(ItemQuestion, ListKind, const ItemTexts&) override { return true; }
    std::optional<OwnEntry> ownSettings(const AppSettings&) override { return std::nullopt; }
    std::optional<MemberEntry> member(const AppSettings&) override { return std::nullopt; }
    bool convertOldData() override { return false; }
    bool password(const QByteArray&) override { return false; }
    void passwordSettings(const PasswordActions&) override { }
    void search(SearchContext) override { }
    void alarm(const AlarmNotice&) override { }
};

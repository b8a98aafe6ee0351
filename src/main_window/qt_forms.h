#pragma once
// The real dialogs behind Forms, shown modally through Ui over the window.

#include "main_window/forms.h"

class QWidget;
class Ui;

class QtForms final : public Forms {
public:
    QtForms(Ui& ui, QWidget* window, QString programDir) : ui_(ui), window_(window), programDir_(std::move(programDir))
    {
    }

    EntryChanges entry(EntryContext context) override;
    bool confirm(ItemQuestion question, ListKind kind, const ItemTexts& item) override;
    std::optional<OwnEntry> ownSettings(const AppSettings& settings) override;
    std::optional<MemberEntry> member(const AppSettings& settings) override;
    bool convertOldData() override;
    bool password(const QByteArray& stored) override;
    void passwordSettings(const PasswordActions& actions) override;
    void search(SearchContext context) override;
    void alarm(const AlarmNotice& notice) override;

private:
    Ui& ui_;
    QWidget* window_;
    QString programDir_;
};

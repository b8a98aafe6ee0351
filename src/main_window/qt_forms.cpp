#include "main_window/qt_forms.h"

#include "entry/f_kinyu.h"
#include "main_window/f_alarm.h"
#include "main_window/f_tenki.h"
#include "maintenance/f_kensaku.h"
#include "maintenance/f_sakujo.h"
#include "maintenance/f_y2k.h"
#include "settings/f_ansyo.h"
#include "settings/f_memdata.h"
#include "settings/f_mydata.h"
#include "settings/f_passw.h"
#include "ui/ui.h"

EntryChanges QtForms::entry(EntryContext context)
{
    F_kinyu form(std::move(context));
    ui_.runModal(form);
    return form.changes();
}

bool QtForms::confirm(ItemQuestion question, ListKind kind, const ItemTexts& item)
{
    if (question == ItemQuestion::Delete) {
        F_sakujo dialog(kind, item, window_);
        return ui_.runModal(dialog) == QDialog::Accepted;
    }
    F_tenki dialog(kind, item, window_);
    return ui_.runModal(dialog) == QDialog::Accepted;
}

std::optional<OwnEntry> QtForms::ownSettings(const AppSettings& settings)
{
    F_mydata dialog(settings, programDir_, ui_, window_);
    if (ui_.runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.entry();
}

std::optional<MemberEntry> QtForms::member(const AppSettings& settings)
{
    F_memdata dialog(settings, ui_, window_);
    if (ui_.runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.entry();
}

bool QtForms::convertOldData()
{
    F_Y2K dialog;
    return ui_.runModal(dialog) == QDialog::Accepted;
}

bool QtForms::password(const QByteArray& stored)
{
    F_ansyo prompt(stored, ui_);
    return ui_.runModal(prompt) == QDialog::Accepted;
}

void QtForms::passwordSettings(const PasswordActions& actions)
{
    F_passw dialog(actions, ui_, window_);
    ui_.runModal(dialog);
}

void QtForms::search(SearchContext context)
{
    F_kensaku dialog(std::move(context));
    ui_.runModal(dialog);
}

void QtForms::alarm(const AlarmNotice& notice)
{
    // Minimised, the window would hide the notice: it stands on its own then.
    F_Alarm form(notice, ui_, window_ && window_->isMinimized() ? nullptr : window_);
    ui_.runModal(form);
}

#include "main_window/member_combo.h"

#include "store/settings_file.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

void showMemberInCombo(QComboBox& combo, int slot)
{
    const QSignalBlocker block(&combo);
    combo.setCurrentIndex(std::max(combo.findData(slot), 0));
}

int memberInCombo(const QComboBox& combo, int index) { return combo.itemData(index).toInt(); }

void fillMemberCombo(QComboBox& combo, const AppSettings& settings)
{
    const QSignalBlocker block(&combo);
    combo.clear();
    // Those there are, each with its slot: the combo's lines are not the slots.
    for (int slot : usedMemberSlots(settings))
        combo.addItem(settings.memberName(slot), slot);
    combo.setCurrentIndex(0);
}

#include "main_window/member_combo.h"

#include "store/settings_file.h"

#include <QComboBox>
#include <QSignalBlocker>

void fillMemberCombo(QComboBox& combo, const AppSettings& settings)
{
    const QSignalBlocker block(&combo);
    combo.clear();
    combo.addItems(memberNames(settings));
    combo.setCurrentIndex(0);
}

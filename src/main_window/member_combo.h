#pragma once
// The main window's member combo: index k is member k, 0 being the user.

class QComboBox;
struct AppSettings;

// Refills the combo with the names of members 0..99 and shows member 0, raising
// no change signals.
void fillMemberCombo(QComboBox& combo, const AppSettings& settings);

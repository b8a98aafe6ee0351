#pragma once
// The main window's member combo: the user (slot 0) and the colleagues there
// are, each line carrying its slot number.

class QComboBox;
struct AppSettings;

// Refills the combo and shows the user, raising no change signals.
void fillMemberCombo(QComboBox& combo, const AppSettings& settings);
// The line of a slot made current (the user's when it is not there), quietly;
// the slot of a line.
void showMemberInCombo(QComboBox& combo, int slot);
int memberInCombo(const QComboBox& combo, int index);

#pragma once
// The drive list and folder list pair of the settings dialogs.

#include <QString>

class DriveListBox;
class DirListBox;
class Ui;

// Puts both lists on the working directory, the folder list going up no
// further than the drive's root. Returns that drive's root, the one to go back
// to when another drive cannot be read.
QString startAtWorkingDirectory(DriveListBox& drive, DirListBox& dir);

// Moves the folder list to the root of the drive just chosen and remembers that
// drive. A drive that cannot be read (no medium, not ready, no access) gets a
// beep and the drive list goes back to the remembered drive; false then.
bool followDriveChoice(DriveListBox& drive, DirListBox& dir, QString& rememberedRoot, Ui& ui);

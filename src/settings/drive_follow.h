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
// The same at `path`, or the nearest folder above it that exists (a folder
// still to be created), else at the working directory.
QString startAtFolder(DriveListBox& drive, DirListBox& dir, const QString& path);

// Where the own lists are first proposed: the program folder, unless it is a
// hidden one (an installed program's ~/.local/share/poruka), which nobody
// would find on a shared drive; then a visible folder in the home folder.
QString proposedDataFolder(const QString& programDir, const QString& home);

// Moves the folder list to the root of the drive just chosen and remembers that
// drive. A drive that cannot be read (no medium, not ready, no access) gets a
// beep and the drive list goes back to the remembered drive; false then.
bool followDriveChoice(DriveListBox& drive, DirListBox& dir, QString& rememberedRoot, Ui& ui);

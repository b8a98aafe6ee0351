#pragma once
// Data of the previous major version keep years with two digits ("yy/mm/dd");
// this version keeps four. The conversion turns the four item files into the
// present form in place, keeping a backup of each, and removes the password
// file, which the user then sets again.

#include "store/file_access.h"

#include <QByteArray>
#include <QString>

class QWidget;
class Ui;

// A date field of the previous version. Only a field of exactly 8 characters
// changes: the plain rule puts "19" in front (every year is a 19xx year); the
// sentinel rule turns "00/00/00" into "0000/00/00" and "99/99/99" into
// "9999/99/99", anything else as the plain rule does.
enum class DateRule { Plain, Sentinel };
QByteArray convertDateField(QByteArrayView field, DateRule rule);

// The files converted, and where their dates are.
enum class OldFile { Todo, Schedule, DoneTodo, DoneSchedule };
// A whole file converted: the header line (lists only) and every line that is
// no date of its record are kept byte for byte; lines end with CR LF.
QByteArray convertFileBytes(const QByteArray& bytes, OldFile file);

enum class Conversion {
    Done,          // converted; start-up goes on
    ListMissing,   // todo.dat or sche.dat is not there: told, nothing changed
    Failed,        // a read or write failed: told; no original is left converted
};

// The whole conversion: todo.dat and sche.dat in dataDir (ending with the
// separator) and the archives and the password file in programDir. Every file
// is read and converted in memory, every backup written and synced, and only
// then the originals rewritten, each atomically; should one of those writes
// fail, the ones already rewritten are put back. Messages go to the user
// through ui.
Conversion convertOldData(const QString& dataDir, const QString& programDir, Ui& ui, QWidget* parent);

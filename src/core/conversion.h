#pragma once
// Data of the previous major version keep years with two digits ("yy/mm/dd");
// this version keeps four. The conversion turns the four item files into the
// present form in place, keeping a backup of each, and removes the password
// file, which the user then sets again.
//
// It survives a crash at any step: every backup is written and synced before
// a record of the conversion (in the program folder) says the originals may
// change; from then on the backups are the truth, each original is made
// again from its backup, and a start that finds the record finishes the
// conversion instead of beginning one. A backup is never written from data
// that are already converted.

#include "store/file_access.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

inline const QString kConversionRecordName = QStringLiteral("poruka.cnv");

struct [[nodiscard]] ConversionOutcome {
    enum class Result {
        Done,   // converted (maybe finished after a crash)
        ListMissing,   // todo.dat or sche.dat is not there: nothing changed
        Failed,   // a step failed (failure, failedStep)
    };
    enum class Step { None, Read, Backup, Record, Write, RemovePassword };
    Result result = Result::Done;
    QString missing;   // ListMissing: "todo.dat" or "sche.dat"
    // List files that went between the check and their conversion: not converted.
    QStringList vanished;
    Step failedStep = Step::None;
    FileStatus failure;
    // Failed: every original is as it was before (else the conversion is
    // finished at the next start; rollbackFailure says what could not be put back).
    bool rolledBack = true;
    FileStatus rollbackFailure;
    bool passwordRemoved = false;
};

// The whole conversion: todo.dat and sche.dat in dataDir (ending with the
// separator), the archives and the password file in programDir.
ConversionOutcome runConversion(const QString& dataDir, const QString& programDir);
// Whether a conversion a crash cut short waits to be finished.
bool conversionUnfinished(const QString& programDir);
// Finishes it from the backups its record names.
ConversionOutcome finishConversion(const QString& programDir);
// Removes the record, once the settings say this version: from then on the
// data are never converted again.
FileStatus closeConversion(const QString& programDir);

#pragma once
// The conversion of the previous major version's data (core/conversion.h),
// with what the user is told of it.

#include <QString>

class QWidget;
class Ui;

enum class [[nodiscard]] Conversion{
    Done,   // converted; start-up goes on
    ListMissing,   // todo.dat or sche.dat is not there: told, nothing changed
    Failed,   // a step failed: told; the program ends
};

// The whole conversion: todo.dat and sche.dat in dataDir (ending with the
// separator), the archives and the password file in programDir.
Conversion convertOldData(const QString& dataDir, const QString& programDir, Ui& ui, QWidget* parent);
// A conversion a crash cut short, finished from its backups.
Conversion finishOldDataConversion(const QString& programDir, Ui& ui, QWidget* parent);

#pragma once
// Whether a text typed in a settings dialog can be kept.

#include <QString>

// The message that refuses a folder text, or an empty string when it will do:
// the settings file is code page 932, and a folder named relative to wherever
// the program happens to start would point elsewhere next time.
QString directoryTextProblem(const QString& directory);

// The message that refuses a name typed into the box labelled `label`, or an
// empty string: a character code page 932 cannot hold would be stored as "?".
QString nameTextProblem(const QString& name, const QString& label);

#pragma once
// Whether a data-directory text typed in a settings dialog can be kept.

#include <QString>

// The message that refuses the text, or an empty string when it will do: the
// settings file is code page 932, and a folder named relative to wherever the
// program happens to start would point elsewhere next time.
QString directoryTextProblem(const QString& directory);

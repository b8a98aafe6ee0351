#pragma once
// Where ぽるか keeps the files of its program folder (the settings, the
// archives, the password) and where its user's guide lies. Two ways to run:
//
// - portable (a build folder, a folder copied to a USB stick): the program
//   folder is the executable's own folder, the guide beside the executable;
// - installed (`<prefix>/bin/poruka` with `<prefix>/share/poruka/` laid by the
//   install step): the program folder is `$XDG_DATA_HOME/poruka`, by default
//   `~/.local/share/poruka`, and the guide is read from `<prefix>/share/poruka/`.
//
// The layout decides, not whether the executable's folder can be written to
// (root can write anywhere).

#include <QString>

struct ProgramFolders {
    QString programDir;   // no trailing separator
    QString helpDocument;   // poruka.wri
    bool installed = false;
};

// xdgDataHome: the variable's value (empty when unset); home: the home folder.
ProgramFolders programFolders(const QString& executableDir, const QString& xdgDataHome, const QString& home);

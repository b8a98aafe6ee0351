#pragma once
// What 設定 → ﾊﾟｽﾜｰﾄﾞ does with the password file: the presenter's actions,
// which go to the core; the dialog only asks and tells.

#include "store/file_access.h"

#include <QByteArray>
#include <QString>
#include <functional>

// What the dialog does with the password file.
struct PasswordActions {
    QString path;   // named in messages
    std::function<bool()> isSet;
    std::function<FileStatus(const QByteArray& line)> set;
    std::function<FileStatus()> remove;
};

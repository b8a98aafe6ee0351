#include "app/program_folders.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kHelpName = QStringLiteral("poruka.wri");

}   // namespace

ProgramFolders programFolders(const QString& executableDir, const QString& xdgDataHome, const QString& home)
{
    const QDir bin(executableDir);
    const QString shared = QDir::cleanPath(executableDir + QStringLiteral("/../share/poruka"));
    if (bin.dirName() == QLatin1String("bin") && QFileInfo(shared + QLatin1Char('/') + kHelpName).isFile()) {
        // The XDG rule: an unset, empty or relative value means the default.
        const QString dataHome =
            QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : home + QStringLiteral("/.local/share");
        return {QDir::cleanPath(dataHome + QStringLiteral("/poruka")), shared + QLatin1Char('/') + kHelpName, true};
    }
    const QString dir = QDir::cleanPath(executableDir);
    return {dir, dir + QLatin1Char('/') + kHelpName, false};
}

#include "settings/typed_text.h"

#include "store/cp932.h"
#include "ui/ui.h"

#include <QDir>

QString directoryTextProblem(const QString& directory)
{
    if (!cp932::canEncode(directory))
        return QStringLiteral("ディレクトリ名に使えない文字が含まれています。");
    if (!QDir::isAbsolutePath(directory))
        return QStringLiteral("ディレクトリはドライブ（ルート）から指定して下さい。");
    return {};
}

QString nameTextProblem(const QString& name, const QString& label)
{
    if (cp932::canEncode(name))
        return {};
    return kUnusableCharactersMessage + QStringLiteral("\n（") + label + QStringLiteral("）");
}

#include "maintenance/old_data.h"

#include "core/conversion.h"
#include "ui/ui.h"

#include <QDir>

namespace {

QString failureText(const ConversionOutcome& o)
{
    using Step = ConversionOutcome::Step;
    QString what;
    switch (o.failedStep) {
    case Step::Read:
        what = QStringLiteral("%1 を読み込めませんでした。");
        break;
    case Step::Backup:
        what = QStringLiteral("控えのファイル %1 を書けませんでした。");
        break;
    case Step::Record:
    case Step::Write:
    case Step::None:
        what = QStringLiteral("%1 を書けませんでした。");
        break;
    case Step::RemovePassword:
        what = QStringLiteral("%1 を消せませんでした。");
        break;
    }
    QString text = what.arg(QDir::toNativeSeparators(o.failure.path));
    if (!o.failure.detail().isEmpty())
        text += QStringLiteral("\n(%1)").arg(o.failure.detail());
    if (o.rolledBack) {
        text += QStringLiteral("\nデータは変換前のままです。ぽるかを終了します。");
    } else {
        text += QStringLiteral("\n変換の途中のデータを元に戻せませんでした");
        if (!o.rollbackFailure.path.isEmpty())
            text += QStringLiteral("（%1）").arg(QDir::toNativeSeparators(o.rollbackFailure.path));
        text += QStringLiteral(
            "。\n元のデータは控えのファイルにあります。次に起動した時に変換を続けます。ぽるかを終了します。");
    }
    return text;
}

Conversion tell(const ConversionOutcome& o, const QString& dataDir, Ui& ui, QWidget* parent)
{
    if (o.result == ConversionOutcome::Result::ListMissing) {
        const QString what = o.missing == QLatin1String("todo.dat") ? QStringLiteral("やることのデータファイル(")
                                                                    : QStringLiteral("予定のデータファイル(");
        ui.message(parent, what + dataDir + o.missing + QStringLiteral("）がありません"), MsgButtons::Ok, MsgIcon::None,
                   QStringLiteral("変換できません"));
        return Conversion::ListMissing;
    }
    for (const QString& path : o.vanished) {
        const QString what = path.endsWith(QLatin1String("TODO.DAT")) ? QStringLiteral("やることのファイル(")
                                                                      : QStringLiteral("予定のファイル(");
        ui.message(parent, what + path + QStringLiteral(")が無いので変換しませんでした。"));
    }
    if (o.result == ConversionOutcome::Result::Failed) {
        ui.message(parent, failureText(o), MsgButtons::Ok, MsgIcon::Critical);
        return Conversion::Failed;
    }
    if (o.passwordRemoved)
        ui.message(parent, QStringLiteral("パスワードが消去されました。再設定して下さい。"));
    return Conversion::Done;
}

}   // namespace

Conversion convertOldData(const QString& dataDir, const QString& programDir, Ui& ui, QWidget* parent)
{
    const BusyPointer busy;
    return tell(runConversion(dataDir, programDir), dataDir, ui, parent);
}

Conversion finishOldDataConversion(const QString& programDir, Ui& ui, QWidget* parent)
{
    const BusyPointer busy;
    return tell(finishConversion(programDir), QString(), ui, parent);
}

#include "common/fake_ui.h"

MsgAnswer FakeUi::message(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    const RecordedMessage m{text, buttons, icon, title};
    messages.append(m);
    if (onMessage)
        onMessage(m);
    if (!answers.isEmpty())
        return answers.dequeue();
    if (giveUpAll)
        return buttons == MsgButtons::YesNo ? MsgAnswer::No
            : buttons == MsgButtons::Ok     ? MsgAnswer::Ok
                                            : MsgAnswer::Cancel;
    switch (buttons) {
    case MsgButtons::YesNo:
        return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::Ok;
    }
}

bool FakeUi::openWithShell(const QString& path)
{
    shellOpened.append(path);
    return shellOpenResult;
}

int FakeUi::runModal(QDialog& dialog)
{
    dialogsShown.append(dialog.objectName());
    auto it = scripts.find(dialog.objectName());
    if (it == scripts.end() || it->isEmpty()) {
        dialog.reject();
        return QDialog::Rejected;
    }
    const DialogScript script = it->dequeue();
    return script(dialog);
}

QStringList FakeUi::messageTexts() const
{
    QStringList out;
    for (const RecordedMessage& m : messages)
        out.append(m.text);
    return out;
}

#pragma once
// A scripted Ui for form tests: records every message and beep, answers messages
// from a queue (OK when the queue is empty), and drives nested modal dialogs with
// scripts picked by the dialog's objectName (rejected when no script is queued).

#include "ui/ui.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QQueue>
#include <QStringList>
#include <functional>

struct RecordedMessage {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
};

class FakeUi final : public Ui {
public:
    using DialogScript = std::function<int(QDialog&)>;

    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    void beep() override { ++beeps; }
    bool openWithShell(const QString& path) override;
    bool editMemo(const QString& path) override
    {
        memosEdited.append(path);
        return shellOpenResult;
    }
    int runModal(QDialog& dialog) override;
    void notify(QWidget*, const QString& title, const QString& text) override { notices.append(title + '\n' + text); }
    void yieldToEvents() override { ++yields; }

    // Queues answers to the next messages, in order.
    void answer(MsgAnswer a) { answers.enqueue(a); }
    // Queues a script for the next modal showing of the dialog with this objectName.
    void onDialog(const QString& objectName, DialogScript script) { scripts[objectName].enqueue(std::move(script)); }

    QStringList messageTexts() const;

    QList<RecordedMessage> messages;
    QQueue<MsgAnswer> answers;
    QMap<QString, QQueue<DialogScript>> scripts;
    QStringList dialogsShown;   // objectNames, in order
    QStringList shellOpened;
    QStringList memosEdited;
    QStringList notices;   // desktop notifications, title and text
    bool shellOpenResult = true;
    // Called with each message just before it is answered (e.g. to release a lock).
    std::function<void(const RecordedMessage&)> onMessage;
    int beeps = 0;
    // Every question not queued answered "no" (キャンセル, いいえ): the user
    // gives up every step the file-error trap offers to retry.
    bool giveUpAll = false;
    int yields = 0;
};

#pragma once
// A Ui for benchmarks: every message answered with OK, every dialog cancelled,
// nothing shown and nothing opened. A benchmark that needs a dialog answered
// otherwise, or the real yielding, overrides those two.

#include "ui/ui.h"

#include <QDialog>

class QuietUi : public Ui {
public:
    MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon, const QString&) override { return MsgAnswer::Ok; }
    void beep() override { }
    bool openWithShell(const QString&) override { return false; }
    bool editMemo(const QString&) override { return false; }
    void notify(QWidget*, const QString&, const QString&) override { }
    int runModal(QDialog& dialog) override
    {
        dialog.reject();
        return dialog.result();
    }
    void yieldToEvents() override { }
};

#pragma once
// The toolkit layer every form talks through for messages, the beep, the busy
// pointer, shell open, modal dialogs and yielding. Tests hand forms a scripted Ui.

#include <QString>

class QDialog;
class QWidget;

inline const QString kAppTitle = QStringLiteral("ぽるか　Ver.2.10");
// A text holds a character the data files (code page 932) cannot keep. Followed
// by "\n（" + the box's label + "）".
inline const QString kUnusableCharactersMessage = QStringLiteral("使用できない文字が含まれています。");

enum class MsgButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Exclamation, Information, Question, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                              MsgIcon icon = MsgIcon::None, const QString& title = kAppTitle) = 0;
    virtual void beep() = 0;
    // Opens a file in the program associated with it; false when nothing could open it.
    virtual bool openWithShell(const QString& path) = 0;
    // Opens a memo file (code page 932) in a text editor told its encoding
    // (see memo_editor.h), else as openWithShell does; false when nothing started.
    virtual bool editMemo(const QString& path) = 0;
    // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) = 0;
    // A notice that reaches the user also when `window` is minimised or behind
    // others: a desktop notification where the desktop has a tray, and the
    // taskbar entry asking for attention.
    virtual void notify(QWidget* window, const QString& title, const QString& text) = 0;
    // Lets pending window events run, at most every few milliseconds however often called.
    virtual void yieldToEvents() = 0;
};

// The real thing: QMessageBox, QApplication::beep, QDesktopServices, QDialog::exec.
class QtUi final : public Ui {
public:
    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    void beep() override;
    bool openWithShell(const QString& path) override;
    bool editMemo(const QString& path) override;
    int runModal(QDialog& dialog) override;
    void notify(QWidget* window, const QString& title, const QString& text) override;
    void yieldToEvents() override;

private:
    qint64 lastYieldMs_ = -1;
    class QSystemTrayIcon* tray_ = nullptr;
};

// Shows the hourglass for as long as it lives.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

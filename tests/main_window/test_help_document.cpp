// The user's guide "使い方" opens: a real RTF document that names every
// command of the main window as the window shows it.
#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "main_window/main_form.h"
#include "ui/time_source.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The text of an RTF document whose characters beyond ASCII are \uN escapes.
QString rtfText(const QByteArray& rtf)
{
    QString text = QString::fromLatin1(rtf);
    static const QRegularExpression unicode(QStringLiteral("\\\\u(-?\\d+)((?:\\\\'[0-9a-fA-F]{2})*)"));
    QString out;
    qsizetype at = 0;
    for (auto it = unicode.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        const int code = m.captured(1).toInt();
        out += QChar(char16_t(code < 0 ? code + 65536 : code));
        at = m.capturedEnd();
    }
    out += text.mid(at);
    out.remove(QRegularExpression(QStringLiteral("\\\\[a-zA-Z]+-?\\d* ?")));
    out.remove(QRegularExpression(QStringLiteral("[{}\\r\\n]")));
    return out;
}

}   // namespace

class TestHelpDocument : public QObject {
    Q_OBJECT
private slots:
    void namesEveryCommand()
    {
        const QByteArray rtf = readBytes(QStringLiteral(PORUKA_SOURCE_DIR "/resources/poruka.wri"));
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\ansicpg932"));
        const QString text = rtfText(rtf);

        QTemporaryDir dir;
        FakeUi ui;
        FixedTimeSource time(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        Main_Form form(dir.path(), ui, time);
        QStringList captions;
        // The window's own buttons (the calendar has buttons of its own).
        for (const QPushButton* b : form.findChildren<QPushButton*>())
            if (b->objectName().startsWith(QLatin1String("Command")) ||
                b->objectName().startsWith(QLatin1String("cmd_")))
                captions << b->text();
        for (const QMenu* m : form.findChildren<QMenu*>()) {
            if (!m->objectName().startsWith(QLatin1String("Menu_")))
                continue;
            captions << m->title();
            for (const QAction* a : m->actions())
                captions << a->text();
        }
        QVERIFY(captions.size() > 15);
        // A menu's caption without its mnemonic ("(&S)").
        for (QString caption : captions) {
            caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
            QVERIFY2(text.contains(caption), qPrintable(caption));
        }
        // And what the user meets elsewhere: the entry form, the notice, the dialogs.
        for (const char* words : {"登録",
                                  "中止",
                                  "今日中",
                                  "期限無し",
                                  "時刻指定無し",
                                  "重要",
                                  "ヒミツ",
                                  "お知らせ",
                                  "★★　お邪魔します　★★",
                                  "わかった",
                                  "ＯＫ",
                                  "やっぱりダメ",
                                  "転記する",
                                  "やっぱり止める",
                                  "検索終了",
                                  "ﾊﾟｽﾜｰﾄﾞを消す",
                                  "データを変換せず終了",
                                  "poruka.ini",
                                  "todo.dat",
                                  "todo_kan.dat",
                                  "sche_kan.dat",
                                  "poruka.pas"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);
    }
};

PORUKA_TEST_MAIN(TestHelpDocument)
#include "test_help_document.moc"

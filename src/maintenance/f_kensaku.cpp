#include "maintenance/f_kensaku.h"

#include "store/file_access.h"
#include "store/memo.h"
#include "ui/centre.h"
#include "ui/dialog_buttons.h"
#include "ui/grid.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidths[] = {1000, 700, 3910, 785};

QString titleOf(SearchTarget target)
{
    switch (target) {
    case SearchTarget::Todo:
        return QStringLiteral("やること(検索結果");
    case SearchTarget::Schedule:
        return QStringLiteral("予定(検索結果");
    case SearchTarget::DoneTodo:
        return QStringLiteral("やること【完了】(検索結果");
    case SearchTarget::DoneSchedule:
        break;
    }
    return QStringLiteral("予定【完了】(検索結果");
}

}   // namespace

F_kensaku::F_kensaku(SearchContext context) : QDialog(context.mainWindow), ctx_(std::move(context))
{
    setObjectName(QStringLiteral("F_kensaku"));
    Label1 = named<QLabel>("Label1", this, QStringLiteral("検索ｷｰﾜｰﾄﾞ"));
    Text1 = named<QLineEdit>("Text1", this);
    Frame1 = named<QGroupBox>("Frame1", this, QStringLiteral("検索する対象"));
    Option1 = named<QRadioButton>("Option1", Frame1, QStringLiteral("やること"));
    Option2 = named<QRadioButton>("Option2", Frame1, QStringLiteral("予定"));
    Option3 = named<QRadioButton>("Option3", Frame1, QStringLiteral("やること(完了)"));
    Option4 = named<QRadioButton>("Option4", Frame1, QStringLiteral("予定(完了)"));
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("検索"));
    Grid1 = named<Grid>("Grid1", this);
    Text2 = named<QPlainTextEdit>("Text2", this);
    Text2->setReadOnly(true);
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("メモ編集"));
    Command3 = named<QPushButton>("Command3", this, QStringLiteral("検索終了"));
    Command1->setDefault(true);   // Enter in the keyword box searches

    auto* options = new QHBoxLayout(Frame1);
    for (QRadioButton* o : {Option1, Option2, Option3, Option4})
        options->addWidget(o);
    auto* keyword = new QHBoxLayout;
    keyword->addWidget(Label1);
    keyword->addWidget(Text1, 1);
    keyword->addWidget(Command1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keyword);
    layout->addWidget(Frame1);
    layout->addWidget(Grid1, 3);
    layout->addWidget(Text2, 1);
    layout->addLayout(buttons);
    layout->activate();
    sizeToContents(*this, QSize(640, 480));

    connect(Command1, &QPushButton::clicked, this, &F_kensaku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_kensaku::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &F_kensaku::Command3_Click);
    connect(Grid1, &Grid::Click, this, &F_kensaku::Grid1_Click);
    Form_Load();
}

void F_kensaku::Form_Load()
{
    centreOver(*this, ctx_.mainWindow);
    setWindowTitle(kAppTitle);
    Text1->clear();
    Text2->clear();
    Option1->setChecked(true);
    Grid1->setRows(1);
    Grid1->setCols(4);
    const QStringList headings{QStringLiteral("年/月/日"), QStringLiteral("時:分"), QStringLiteral("やること(0件)"),
                               QStringLiteral("名前")};
    for (int c = 0; c < 4; ++c) {
        Grid1->setColumnWidth(c, kColumnWidths[c]);
        Grid1->setColumnAlignment(c, Qt::AlignCenter);
        Grid1->setRow(0);
        Grid1->setCol(c);
        Grid1->setText(headings[c]);
    }
    Grid1->widenColumnFor(0, {QStringLiteral("2026/12/31"), QStringLiteral("完了日付"), headings[0]});
    Grid1->widenColumnFor(1, {QStringLiteral("00:00"), headings[1]});
}

SearchTarget F_kensaku::target() const
{
    if (Option2->isChecked())
        return SearchTarget::Schedule;
    if (Option3->isChecked())
        return SearchTarget::DoneTodo;
    if (Option4->isChecked())
        return SearchTarget::DoneSchedule;
    return SearchTarget::Todo;
}

void F_kensaku::Command1_Click()
{
    // One search at a time: the button stays usable while the window repaints,
    // but a second press meanwhile does nothing.
    if (searching_)
        return;
    const SearchTarget searched = target();
    const QString dir = isArchive(searched) ? withTrailingSeparator(ctx_.programDirectory) : ctx_.dataDirectory;
    const QString name = searchFileName(searched);
    if (!fileExistsIgnoringCase(dir, name)) {
        ctx_.ui.message(this, name.toLower() + QStringLiteral("ファイルがありません。"));
        return;
    }
    searching_ = true;
    stopRequested_ = false;
    SearchResult result;
    bool read = false;
    {
        const BusyPointer busy;
        ReadResult file;
        FileErrorHandler handler = ctx_.trap();
        read = handler.readOrGiveUp(
            [&] { return (file = readFile(resolvePath(dir, name), Locking::Exclusive)).status; }, Scope::Own);
        if (read)
            result = searchRecords(file.bytes, searched, Text1->text(), [this] {
                ctx_.ui.yieldToEvents();
                return !stopRequested_;
            });
    }
    searching_ = false;
    // Given up, or stopped by closing the dialog: the previous result stays.
    if (!read || result.stopped)
        return;
    showHits(searched, result.hits);
    if (result.cut)
        ctx_.ui.message(
            this, QStringLiteral("検索結果が１００件を越えましたので\n１００件を越えた分は検索を打ち切りました。"));
}

void F_kensaku::showHits(SearchTarget target, const std::vector<SearchHit>& hits)
{
    hits_ = hits;
    Grid1->setRow(0);
    Grid1->setCol(0);
    Grid1->setText(isArchive(target) ? QStringLiteral("完了日付") : QStringLiteral("年/月/日"));
    Grid1->setCol(2);
    Grid1->setText(titleOf(target) + QString::number(hits.size()) + QStringLiteral("件)"));
    std::vector<QStringList> rows;
    rows.reserve(hits.size());
    for (const SearchHit& hit : hits)
        rows.push_back({hit.date, hit.time, hit.content, hit.person});
    Grid1->replaceItems(std::move(rows));
    Text2->clear();
}

void F_kensaku::Grid1_Click()
{
    const int r = Grid1->row();
    const int memoNo = r >= 1 && r <= int(hits_.size()) ? hits_[std::size_t(r - 1)].memoNo : 0;
    Text2->clear();
    if (memoNo == 0) {
        ctx_.setMemoEditPath(QString());
        return;
    }
    const QString path = memoPath(ctx_.dataDirectory, memoNo);
    ctx_.setMemoEditPath(path);
    MemoRead memo;
    FileErrorHandler handler(TrapVariant::Memo, ctx_.ui, this,
                             {.memberDirectories = {}, .ownDirectory = {}, .memoMissing = [&](const FileStatus&) {
                                  ctx_.ui.message(this, memoMissingMessage(memoNo), MsgButtons::Ok,
                                                  MsgIcon::Exclamation);
                              }});
    (void)handler.run(
        [&] { return (memo = readMemoStart(resolvePath(ctx_.dataDirectory, memoFileName(memoNo)))).status; },
        Scope::Own, StepKind::Read);
    if (memo.status.ok())
        Text2->setPlainText(memo.text);
}

void F_kensaku::Command2_Click()
{
    const QString path = ctx_.memoEditPath();
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile() || !ctx_.ui.editMemo(path))
        ctx_.ui.message(this,
                        QStringLiteral("メモファイル（%1）を開けませんでした。").arg(QDir::toNativeSeparators(path)),
                        MsgButtons::Ok, MsgIcon::Exclamation);
}

void F_kensaku::Command3_Click() { reject(); }

void F_kensaku::reject()
{
    // Closing stops a search that is running; it ends at its next look.
    stopRequested_ = true;
    QDialog::reject();
}

void F_kensaku::closeEvent(QCloseEvent* event)
{
    stopRequested_ = true;
    QDialog::closeEvent(event);
}

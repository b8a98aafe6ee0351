#pragma once
// The search dialog: a keyword, one of the four lists, up to 100 hits with
// their memos. It reads the list's file straight from disk (under a read
// lock, like every reader) and never writes anything.

#include "maintenance/search.h"
#include "maintenance/search_context.h"

#include <QDialog>
#include <functional>

class Grid;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Ui;

class F_kensaku : public QDialog {
    Q_OBJECT
public:
    explicit F_kensaku(SearchContext context);

    bool isSearching() const { return searching_; }
    const std::vector<SearchHit>& hits() const { return hits_; }

    QLabel* Label1;
    QLineEdit* Text1;   // keyword
    QGroupBox* Frame1;   // 検索する対象
    QRadioButton* Option1;   // やること
    QRadioButton* Option2;   // 予定
    QRadioButton* Option3;   // やること(完了)
    QRadioButton* Option4;   // 予定(完了)
    QPushButton* Command1;   // 検索
    Grid* Grid1;
    QPlainTextEdit* Text2;   // memo of the clicked hit
    QPushButton* Command2;   // メモ編集
    QPushButton* Command3;   // 検索終了

public slots:
    void Form_Load();
    void Command1_Click();
    void Grid1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    SearchTarget target() const;
    void showHits(SearchTarget target, const std::vector<SearchHit>& hits);

    SearchContext ctx_;
    std::vector<SearchHit> hits_;   // of the latest search, as shown
    bool searching_ = false;
    bool stopRequested_ = false;
};

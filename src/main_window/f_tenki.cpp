#include "main_window/f_tenki.h"

#include "ui/centre.h"
#include "ui/ui.h"

F_tenki::F_tenki(ListKind kind, const ItemTexts& item, QWidget* mainWindow)
    : ItemDialog({.objectName = "F_tenki",
                  .title = kAppTitle,
                  .sentence = QStringLiteral("以下のデータを、自分の【ぽるか】に転記しますか？"),
                  .todo = kind == ListKind::Todo,
                  .captions = std::array<QString, 4>{QStringLiteral("名前"), QStringLiteral("年/月/日"),
                                                     QStringLiteral("時:分"), QStringLiteral("内　容")},
                  .person = true,
                  .accept = QStringLiteral("転記する"),
                  .reject = QStringLiteral("やっぱり止める"),
                  .rejectIsDefault = false,
                  .width = 460},
                 {item.date, item.time, item.content, item.person}, mainWindow)
{
    centreOver(*this, mainWindow);
}

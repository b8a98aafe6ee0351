#include "maintenance/f_sakujo.h"

#include "ui/centre.h"
#include "ui/ui.h"

F_sakujo::F_sakujo(ListKind kind, const ItemTexts& item, QWidget* mainWindow)
    : ItemDialog({.objectName = "F_sakujo",
                  .title = kAppTitle,
                  .sentence = QStringLiteral("以下のデータを削除して宜しいですか？"),
                  .todo = kind == ListKind::Todo,
                  .captions = std::nullopt,
                  .person = false,
                  .accept = QStringLiteral("ＯＫ"),
                  .reject = QStringLiteral("やっぱりダメ"),
                  .rejectIsDefault = true,
                  .width = 420},
                 {item.date, item.time, item.content, item.person}, mainWindow)
{
    centreOver(*this, mainWindow);
}

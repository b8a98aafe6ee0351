#pragma once
// The delete dialog: shows the one item chosen in the main window and asks
// "以下のデータを削除して宜しいですか？". "ＯＫ" closes it accepted (the main
// window then deletes the item), "やっぱりダメ" rejected; it changes nothing
// itself.

#include "store/list_file.h"
#include "store/records.h"
#include "ui/item_dialog.h"

class F_sakujo : public ItemDialog {
    Q_OBJECT
public:
    // kind: the list the item is in; item: as the dialog shows it.
    F_sakujo(ListKind kind, const ItemTexts& item, QWidget* mainWindow);
};

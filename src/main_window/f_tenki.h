#pragma once
// The transcription dialog: shows a colleague's item and asks
// "以下のデータを、自分の【ぽるか】に転記しますか？". "転記する" closes it
// accepted (the main window then copies the item), "やっぱり止める" rejected.
// The kind is the grid the item was chosen in; the option buttons only show it.

#include "store/list_file.h"
#include "store/records.h"
#include "ui/item_dialog.h"

class F_tenki : public ItemDialog {
    Q_OBJECT
public:
    F_tenki(ListKind kind, const ItemTexts& item, QWidget* mainWindow);
};

#include "maintenance/f_y2k.h"

#include "ui/centre.h"
#include "ui/named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* wrapping(const char* name, const QString& text, QWidget* parent)
{
    auto* label = named<QLabel>(name, parent, text);
    label->setWordWrap(true);
    return label;
}

}   // namespace

F_Y2K::F_Y2K()
{
    setObjectName(QStringLiteral("F_Y2K"));
    Label1 = wrapping("Label1", QStringLiteral("　旧バージョン（Ver.1.X)の【ぽるか】のデータを発見しました。"), this);
    Label2 =
        wrapping("Label2",
                 QStringLiteral("　[旧バージョンのデータを変換する]ボタンをクリックすると、旧バージョンのデータを、"
                                "このバージョン用に変換します。"),
                 this);
    Label3 = wrapping(
        "Label3",
        QStringLiteral("　ただし、ネットワークを利用して、あなたの【ぽるか】のデータを他の方が参照している場合、"
                       "またはあなたが他の方のデータを参照している場合は、他の方もこのバージョンの【ぽるか】"
                       "を使う必要があります。"),
        this);
    Label4 = wrapping(
        "Label4",
        QStringLiteral(
            "　[データを変換せず終了]ボタンをクリックすると、データを変換しないで【ぽるか】を終了します。"
            "【ぽるか】を旧バージョンに戻す場合は、poruka.exeファイルを旧バージョンのものと入れ替えて下さい。"),
        this);
    Label5 = wrapping("Label5",
                      QStringLiteral("（パスワードが設定されている場合は消去されますので、再設定して下さい。）"), this);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("旧バージョンのデータを変換する"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("データを変換せず終了"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5})
        layout->addWidget(l);
    layout->addLayout(buttons);
    layout->activate();
    resize(QSize(520, 0).expandedTo(minimumSizeHint()));

    connect(Command1, &QPushButton::clicked, this, &F_Y2K::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_Y2K::Command2_Click);
    Form_Load();
}

void F_Y2K::Form_Load()
{
    centreOver(*this, nullptr);
    setWindowTitle(QStringLiteral("【ぽるか】データ変換"));
}

void F_Y2K::Command1_Click() { accept(); }

void F_Y2K::Command2_Click() { reject(); }

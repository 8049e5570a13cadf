#include "ui/windows/formabout.h"

#include "ui/widgets/fonts.h"
#include "ui/widgets/projectname.h"

#include <QLabel>
#include <QPushButton>

namespace veldor {
namespace {

struct AboutLine
{
    const char* name;
    int left, top;
    const char* text; // UTF-8
    QRgb color;
};

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kBlue = 0x0000FF;

// One label per line, top to bottom. The forum, board and thank-you lines are left out: this
// program has no forum, and it credits nobody it cannot name truthfully.
const AboutLine kLines[] = {
    {"Label15", 23, 16, "Veldor剧本修改器贺岁版V1.1", kBlack},
    {"Label16", 24, 40, "新增功能：", kBlack},
    {"Label17", 24, 64, "*可以同时选中、修改多个武将。", kBlue},
    {"Label19", 24, 88, "*统一调整势力所有武将的忠诚度和相性。", kBlue},
    {"Label20", 24, 112, "*创建军团。", kBlue},
    {"Label18", 24, 136, "*修改势力间友好度。", kBlue},
    {"Label26", 360, 200, "2004年1月14日", kBlack},
    {"Label27", 20, 224, "--------------------------------------------------------------------",
     kBlack},
    {"Label1", 24, 251, "Veldor剧本编辑器V1.0", kBlack},
    {"Label5", 24, 275, "说明：", kBlack},
    {"Label4", 24, 299, "*用于修改Veldor剧本文件，使用前请自行备份原剧本文件。", kBlack},
    {"Label7", 24, 323, "*修改数值时请适可而止，本编辑器所允许的数值并不代表游戏也一定允许。",
     kBlack},
    {"Label8", 24, 347, "*修改时请自行注意剧本的逻辑关系，比如君主所在城市是否属于该势力，一个国家",
     kBlack},
    {"Label9", 24, 371, "是否有多个君主或军师，势力是否有城市等。", kBlack},
    {"Label6", 24, 395, "*创建全新剧本时最好使用第19、20这两个剧本，会减少出错几率。", kBlack},
    {"Label10", 24, 419, "*“调整武将忠诚度”按钮会自动调整武将对他所在势力的忠诚度为100，而对其他",
     kBlack},
    {"Label11", 24, 443, "势力为50；“地域归属城市”按钮会调整城市所辖地域中的有兵的港、关、建筑归",
     kBlack},
    {"Label12", 24, 467, "属该城市所属势力。", kBlack},
    {"Label14", 24, 491, "*最后一定不要忘记保存啊！！切记！切记！！", kBlack},
    {"Label2", 24, 523, "作者：Orlen", kBlack},
    {"Label13", 360, 563, "2003年4月2日", kBlack},
};

} // namespace

QString AboutCaption()
{
    return QStringLiteral("关于 -- Veldor剧本编辑器贺岁版V1.1 -- ") + ProjectName();
}

TFAbout::TFAbout(QWidget* parent) : Form(QStringLiteral("FAbout"), AboutCaption(), 510, 625, parent)
{
    for (const AboutLine& line : kLines) {
        QLabel* label = MakeLabel(this, QString::fromLatin1(line.name),
                                  QString::fromUtf8(line.text), line.left, line.top);
        if (line.color != kBlack)
            SetFontColor(label, QColor(line.color));
    }
    auto* close = new QPushButton(QStringLiteral("关  闭"), this);
    Place(close, QStringLiteral("Button1"), 208, 592, 75, 25);
    close->setFont(SongFont(14));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace veldor

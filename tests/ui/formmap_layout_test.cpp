#include "mapfixture.h"

#include "ui/windows/formabout.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace veldor::test {
namespace {

struct Place
{
    const char* tip;
    int left, top, width, height;
};

// Button N is entry N - 1.
const Place kCityButtons[50] = {
    {"襄平", 488, 32, 20, 20},  {"北平", 384, 56, 20, 20},  {"蓟", 304, 52, 20, 20},
    {"南皮", 372, 90, 20, 20},  {"平原", 368, 117, 20, 20}, {"邺", 302, 136, 20, 20},
    {"晋阳", 248, 96, 20, 20},  {"上党", 256, 140, 19, 21}, {"北海", 454, 117, 20, 20},
    {"濮阳", 329, 160, 20, 20}, {"陈留", 318, 194, 20, 20}, {"下坯", 422, 190, 20, 20},
    {"小沛", 384, 181, 20, 20}, {"许昌", 296, 216, 20, 20}, {"汝南", 350, 245, 20, 20},
    {"洛阳", 266, 190, 20, 20}, {"长安", 190, 208, 20, 20}, {"安定", 135, 177, 20, 20},
    {"天水", 66, 193, 20, 20},  {"西平", 32, 158, 20, 20},  {"武威", 44, 108, 20, 20},
    {"寿春", 396, 252, 20, 20}, {"庐江", 380, 301, 20, 20}, {"秣陵（建业）", 443, 282, 20, 20},
    {"吴", 484, 262, 20, 20},   {"会稽", 504, 318, 20, 20}, {"柴桑", 372, 351, 20, 20},
    {"宛", 262, 228, 20, 20},   {"新野", 279, 255, 20, 20}, {"襄阳", 262, 281, 20, 20},
    {"江陵", 275, 319, 20, 20}, {"江夏", 317, 303, 20, 20}, {"长沙", 302, 388, 20, 20},
    {"武陵", 239, 365, 20, 20}, {"桂阳", 316, 427, 20, 20}, {"零陵", 242, 416, 20, 20},
    {"西城", 208, 250, 20, 20}, {"永安", 190, 308, 20, 20}, {"汉中", 158, 246, 20, 20},
    {"梓潼", 102, 296, 20, 20}, {"成都", 65, 334, 20, 20},  {"江州", 117, 354, 20, 20},
    {"建宁", 78, 418, 20, 20},  {"云南", 27, 400, 20, 20},  {"交趾", 185, 450, 20, 20},
    {"倭", 556, 427, 20, 20},   {"乌丸", 393, 17, 20, 20},  {"羌", 20, 200, 20, 20},
    {"山越", 435, 427, 20, 20}, {"南蛮", 52, 470, 20, 20},
};

struct SideControl
{
    const char* name;
    const char* caption;
    int left, top, width, height; // width 0: a label, sized by its text
};

const SideControl kSideControls[] = {
    {"Button53", "打开剧本", 600, 24, 75, 25},  {"Button54", "保存修改", 600, 64, 75, 25},
    {"Button57", "重新载入", 600, 104, 75, 25}, {"Button51", "修改势力", 600, 200, 75, 25},
    {"Button52", "修改武将", 600, 240, 75, 25}, {"Label1", "<--点击城市", 600, 280, 0, 0},
    {"Label2", "可修改城市", 608, 304, 0, 0},   {"Button56", "帮助与说明", 600, 368, 75, 25},
    {"Button55", "退出", 600, 416, 75, 25},     {"Label4", "贺岁版V1.1", 607, 504, 0, 0},
};

struct MenuItem
{
    const char* name;
    const char* caption;
    const char* shortcut;
};

const MenuItem kMenuItems[] = {
    {"O1", "打开(&O)", "Ctrl+O"},
    {"X1", "退出(&X)", "Ctrl+X"},
    {"S1", "保存修改(&S)", "Ctrl+S"},
    {"N2", "重新载入(&R)", "Ctrl+R"},
    {"N5", "关于贺岁版(&H)", "Ctrl+H"},
    {"CheckAction", "检查剧本(&C)", ""},
    {"SaveAsAction", "另存为(&A)…", "Ctrl+Shift+S"},
};

const MenuItem kMenus[] = {
    {"F1", "文件(&F)", "Ctrl+F"},
    {"E1", "功能(&E)", ""},
    {"N4", "关于(&A)", "Ctrl+A"},
};

using MapLayout = MapWindow;

TEST_F(MapLayout, ClientAreaAndPicture)
{
    EXPECT_EQ(map->objectName(), QStringLiteral("FMap"));
    EXPECT_EQ(map->windowTitle(), QStringLiteral("Veldor剧本修改器贺岁版V1.1--veldor-editor"));
    EXPECT_EQ(map->centralWidget()->size(), QSize(692, 527));
    EXPECT_EQ(map->height(), map->menuBar()->height() + 527 + map->statusBar()->height());
    EXPECT_EQ(map->width(), 692);
    EXPECT_EQ(map->minimumSize(), map->maximumSize()) << "the border is fixed";

    auto* image = map->findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(0, 0, 585, 521));
    EXPECT_EQ(image->pixmap().size(), QSize(586, 526)) << "shown unscaled, cut by the control";
}

TEST_F(MapLayout, CityButtonsFromTheTable)
{
    for (int city = 0; city < 50; ++city) {
        SCOPED_TRACE(city + 1);
        const Place& place = kCityButtons[city];
        QAbstractButton* b = cityButton(city);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->geometry(), QRect(place.left, place.top, place.width, place.height));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(place.tip));
        EXPECT_EQ(b->text(), QString::number(city + 1));
        EXPECT_TRUE(b->font().bold());
        EXPECT_EQ(b->parentWidget(), map->centralWidget());
    }
}

TEST_F(MapLayout, SideButtonsAndLabelsFromTheTable)
{
    for (const SideControl& control : kSideControls) {
        SCOPED_TRACE(control.name);
        auto* widget = map->findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->pos(), QPoint(control.left, control.top));
        if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(b->text(), QString::fromUtf8(control.caption));
            EXPECT_EQ(b->size(), QSize(control.width, control.height));
        } else {
            auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), QString::fromUtf8(control.caption));
            EXPECT_LE(label->geometry().right(), 691) << "label cut by the window's edge";
        }
    }
}

TEST_F(MapLayout, MenuFromTheTable)
{
    EXPECT_EQ(map->menuBar()->objectName(), QStringLiteral("MainMenu1"));
    for (const MenuItem& item : kMenuItems) {
        SCOPED_TRACE(item.name);
        auto* action = map->findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
    }
    QStringList topLevel;
    for (const MenuItem& item : kMenus) {
        auto* menu = map->findChild<QMenu*>(QString::fromLatin1(item.name));
        ASSERT_NE(menu, nullptr) << item.name;
        EXPECT_EQ(menu->title(), QString::fromUtf8(item.caption));
        EXPECT_EQ(menu->menuAction()->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
        topLevel << menu->objectName();
    }
    QStringList inBar;
    for (QAction* action : map->menuBar()->actions())
        inBar << action->menu()->objectName();
    EXPECT_EQ(inBar, topLevel);

    auto names = [this](const char* menu) {
        QStringList list;
        for (QAction* a : map->findChild<QMenu*>(QString::fromLatin1(menu))->actions())
            list << (a->menu() ? a->menu()->objectName() : a->objectName()) +
                        (a->isSeparator() ? QStringLiteral("-") : QString());
        return list;
    };
    EXPECT_EQ(names("F1"), QStringList({"O1", "RecentFilesMenu", "SaveAsAction", "N1-", "X1"}));
    EXPECT_EQ(names("E1"),
              QStringList({"S1", "N3-", "N2", "HistorySeparator-", "UndoAction", "RedoAction",
                           "HistoryAction", "CheckAction", "TableAction"}));
    EXPECT_EQ(names("N4"), QStringList({"N5"}));
}

TEST_F(MapLayout, AWindowIsBuiltWhenFirstOpenedAndKept)
{
    EXPECT_EQ(map->findChild<TFAbout*>(), nullptr) << "built before it was opened";
    button(QStringLiteral("Button56"))->click();
    button(QStringLiteral("Button56"))->click();
    EXPECT_EQ(answers->windows, QStringList({"FAbout", "FAbout"}));
    const QList<TFAbout*> built = map->findChildren<TFAbout*>();
    ASSERT_EQ(built.size(), 1);
    EXPECT_EQ(built[0]->objectName(), QStringLiteral("FAbout"));
    EXPECT_EQ(built[0]->parentWidget(), map.get());
}

struct AboutLine
{
    const char* name;
    int left, top;
    const char* text;
    QRgb color;
};

const AboutLine kAboutLines[] = {
    {"Label15", 23, 16, "Veldor剧本修改器贺岁版V1.1", 0x000000},
    {"Label16", 24, 40, "新增功能：", 0x000000},
    {"Label17", 24, 64, "*可以同时选中、修改多个武将。", 0x0000FF},
    {"Label19", 24, 88, "*统一调整势力所有武将的忠诚度和相性。", 0x0000FF},
    {"Label20", 24, 112, "*创建军团。", 0x0000FF},
    {"Label18", 24, 136, "*修改势力间友好度。", 0x0000FF},
    {"Label26", 360, 200, "2004年1月14日", 0x000000},
    {"Label1", 24, 251, "Veldor剧本编辑器V1.0", 0x000000},
    {"Label5", 24, 275, "说明：", 0x000000},
    {"Label4", 24, 299, "*用于修改Veldor剧本文件，使用前请自行备份原剧本文件。", 0x000000},
    {"Label7", 24, 323, "*修改数值时请适可而止，本编辑器所允许的数值并不代表游戏也一定允许。",
     0x000000},
    {"Label8", 24, 347, "*修改时请自行注意剧本的逻辑关系，比如君主所在城市是否属于该势力，一个国家",
     0x000000},
    {"Label9", 24, 371, "是否有多个君主或军师，势力是否有城市等。", 0x000000},
    {"Label6", 24, 395, "*创建全新剧本时最好使用第19、20这两个剧本，会减少出错几率。", 0x000000},
    {"Label10", 24, 419, "*“调整武将忠诚度”按钮会自动调整武将对他所在势力的忠诚度为100，而对其他",
     0x000000},
    {"Label11", 24, 443, "势力为50；“地域归属城市”按钮会调整城市所辖地域中的有兵的港、关、建筑归",
     0x000000},
    {"Label12", 24, 467, "属该城市所属势力。", 0x000000},
    {"Label14", 24, 491, "*最后一定不要忘记保存啊！！切记！切记！！", 0x000000},
    {"Label2", 24, 523, "作者：Orlen", 0x000000},
    {"Label13", 360, 563, "2003年4月2日", 0x000000},
};

TEST(AboutLayout, LabelsColoursAndCloseButton)
{
    TFAbout about;
    EXPECT_EQ(about.size(), QSize(510, 625));
    EXPECT_EQ(about.windowTitle(),
              QStringLiteral("关于 -- Veldor剧本编辑器贺岁版V1.1 -- veldor-editor"));
    for (const AboutLine& line : kAboutLines) {
        SCOPED_TRACE(line.name);
        auto* label = about.findChild<QLabel*>(QString::fromLatin1(line.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->pos(), QPoint(line.left, line.top));
        EXPECT_EQ(label->text(), QString::fromUtf8(line.text));
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(line.color));
        EXPECT_LE(label->geometry().right(), 509) << "cut by the window's edge";
    }
    auto* rule = about.findChild<QLabel*>(QStringLiteral("Label27"));
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->text(), QString(68, u'-'));
    EXPECT_EQ(rule->pos(), QPoint(20, 224));

    auto* close = about.findChild<QAbstractButton*>(QStringLiteral("Button1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("关  闭"));
    EXPECT_EQ(close->geometry(), QRect(208, 592, 75, 25));
    EXPECT_EQ(close->font().pixelSize(), 14);
}

} // namespace
} // namespace veldor::test

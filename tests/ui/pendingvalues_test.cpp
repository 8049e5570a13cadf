// Values typed into the person editor but never assigned are shown and asked about.

#include "editsfixture.h"
#include "nextanswer.h"

#include "ui/widgets/listbox.h"
#include "ui/windows/formprsn.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

namespace veldor::test {
namespace {

constexpr int kRow = 6;

class PendingValues : public EditsWindow
{
protected:
    // Opens the person editor, marks row `alsoMarked` (if any) and then row kRow, types
    // `value` into the WuLi field without pressing its button, then runs `work`.
    void typeThen(int value, std::function<void(TFPrsn*, QLineEdit*)> work, int alsoMarked = -1)
    {
        answers.reset();
        whenModal<TFPrsn>([this, value, work, alsoMarked](TFPrsn* editor) {
            auto* list = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
            for (int row : {alsoMarked, kRow}) {
                if (row < 0)
                    continue;
                list->scrollToItem(list->item(row));
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  row == kRow && alsoMarked >= 0 ? Qt::ControlModifier
                                                                 : Qt::KeyboardModifiers(),
                                  list->visualItemRect(list->item(row)).center());
            }
            person = editor->Editor().PrsnOrder[kRow];
            auto* edit = editor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_WuLi"));
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(value));
            work(editor, edit);
        });
        button(QStringLiteral("Button52"))->click();
        answers = std::make_unique<ModalAnswer>();
    }
    void press(TFPrsn* editor, const char* name)
    {
        editor->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }

    uint16_t person = 0;
};

// The colour the screen shows inside the edit, beside its text.
QColor paintedInside(QWidget* window, QLineEdit* edit)
{
    QTest::qWait(20);
    const QPoint at = edit->mapTo(window, QPoint(edit->width() - 5, edit->height() / 2));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), 1, 1)
        .toImage()
        .pixelColor(0, 0);
}

TEST_F(PendingValues, ATypedValueIsTintedWithATipUntilItsButtonIsPressed)
{
    typeThen(97, [this](TFPrsn* editor, QLineEdit* edit) {
        const QColor painted = paintedInside(editor, edit);
        EXPECT_EQ(painted, QColor(0xFF, 0xF0, 0xB0));
        EXPECT_EQ(painted,
                  edit->grab().toImage().pixelColor(edit->width() - 5, edit->height() / 2));
        EXPECT_EQ(edit->toolTip(), QStringLiteral("尚未应用：按“武力”按钮把它应用到选中的武将。"));
        press(editor, "SpeedButton_WuLi");
        EXPECT_TRUE(edit->toolTip().isEmpty());
        EXPECT_EQ(paintedInside(editor, edit), QColor(Qt::white));
        press(editor, "Button1");
    });
    EXPECT_EQ(map->Store().persons.WuLi[person], 97);
}

TEST_F(PendingValues, AssignPressesTheButtonsThenGoesOn)
{
    answerNext(QStringLiteral("PendingValuesQuestion"), QStringLiteral("应用到选中武将"));
    int character = -1;
    typeThen(96, [this, &character](TFPrsn* editor, QLineEdit*) {
        editor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_ZhiLi"))->setText("95");
        auto* choice = editor->findChild<QComboBox*>(QStringLiteral("ComboBox_Prsn_XingGe"));
        character = (choice->currentIndex() + 1) % choice->count();
        choice->setCurrentIndex(character);
        press(editor, "Button1");
        EXPECT_FALSE(editor->isVisible());
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(map->Store().persons.WuLi[person], 96);
    EXPECT_EQ(map->Store().persons.ZhiLi[person], 95);
    EXPECT_EQ(map->Store().persons.XingGe[person], character);
    saveThroughButton();
    EXPECT_EQ(tablesOfFile(path), storeBytes());
}

// With several persons marked, only the typed field goes to each; their other fields stay.
TEST_F(PendingValues, AssignWritesOnlyTheTypedFieldToEveryMarkedPerson)
{
    auto expected = std::make_unique<ScenarioTables>(map->Store());
    answerNext(QStringLiteral("PendingValuesQuestion"), QStringLiteral("应用到选中武将"));
    uint16_t other = 0;
    typeThen(
        96,
        [this, &other](TFPrsn* editor, QLineEdit*) {
            other = editor->Editor().PrsnOrder[kRow + 2];
            press(editor, "Button1");
        },
        kRow + 2);
    ASSERT_EQ(asked, 1);
    expected->persons.WuLi[person] = 96;
    expected->persons.WuLi[other] = 96;
    EXPECT_EQ(TablesBytes(*expected), storeBytes());
}

TEST_F(PendingValues, DropGoesOnWithoutThem)
{
    const QByteArray before = storeBytes();
    answerNext(QStringLiteral("PendingValuesQuestion"), QStringLiteral("放弃输入"));
    typeThen(96, [this](TFPrsn* editor, QLineEdit*) {
        press(editor, "Button1");
        EXPECT_FALSE(editor->isVisible());
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(storeBytes(), before);
}

TEST_F(PendingValues, BackStaysWithTheValueStillTyped)
{
    const QByteArray before = storeBytes();
    answerNext(QStringLiteral("PendingValuesQuestion"), QStringLiteral("返回"));
    typeThen(96, [this](TFPrsn* editor, QLineEdit* edit) {
        press(editor, "Button11"); // 应 用 asks too
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(edit->text(), QStringLiteral("96"));
        EXPECT_FALSE(edit->toolTip().isEmpty());
        NextAnswer drop(QStringLiteral("放弃"));
        press(editor, "Button10");
        EXPECT_EQ(drop.asked, QStringLiteral("DiscardEditsQuestion"));
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(storeBytes(), before);
}

} // namespace
} // namespace veldor::test

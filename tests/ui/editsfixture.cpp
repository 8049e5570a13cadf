#include "editsfixture.h"

#include "ui/widgets/listbox.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formprsn.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace veldor::test {

void EditsWindow::SetUp()
{
    MapWindow::SetUp();
    path = writeScenario(QStringLiteral("D_Sce01.kqx"), 11);
    openThroughDialog(path);
}

void EditsWindow::applyInCityEditor(int city, int pingMin)
{
    answers.reset();
    whenModal<TFCity>([pingMin](TFCity* editor) {
        editor->findChild<QLineEdit*>(QStringLiteral("Edit_City_PingMin"))
            ->setText(QString::number(pingMin));
        editor->findChild<QAbstractButton*>(QStringLiteral("Button_City_OK"))->click();
    });
    cityButton(city)->click();
    answers = std::make_unique<ModalAnswer>();
}

void EditsWindow::applyInForceEditor(int money)
{
    answers.reset();
    whenModal<TFForc>([money](TFForc* editor) {
        editor->findChild<QLineEdit*>(QStringLiteral("Edit_Forc_Money"))
            ->setText(QString::number(money));
        editor->findChild<QAbstractButton*>(QStringLiteral("Button_Ok"))->click();
    });
    button(QStringLiteral("Button51"))->click();
    answers = std::make_unique<ModalAnswer>();
}

void EditsWindow::applyInPersonEditor(int row, int tongShuai)
{
    answers.reset();
    whenModal<TFPrsn>([row, tongShuai](TFPrsn* editor) {
        auto* list = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        editor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_TongShuai"))
            ->setText(QString::number(tongShuai));
        editor->findChild<QAbstractButton*>(QStringLiteral("SpeedButton_TongShuai"))->click();
        editor->findChild<QAbstractButton*>(QStringLiteral("Button1"))->click();
    });
    button(QStringLiteral("Button52"))->click();
    answers = std::make_unique<ModalAnswer>();
}

void EditsWindow::answerNext(const QString& question, const QString& caption)
{
    answers->answerQuestions = false;
    whenModal<QMessageBox>([this, question, caption](QMessageBox* box) {
        EXPECT_EQ(box->objectName(), question) << box->text().toStdString();
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Veldor剧本修改器"));
        ++asked;
        if (caption.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            EXPECT_TRUE(ClickAnswer(box, caption)) << caption.toStdString();
    });
}

QAction* EditsWindow::action(const QString& name) const
{
    auto* found = map->findChild<QAction*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

} // namespace veldor::test

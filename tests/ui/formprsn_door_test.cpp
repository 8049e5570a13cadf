#include "mapfixture.h"

#include "ui/formmap.h"
#include "ui/formprsn.h"
#include "ui/listbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>
#include <memory>

namespace veldor::test {
namespace {

class PersonDoor : public MapWindow
{
protected:
    // Runs `work` once the person editor is the modal window.
    void whenEditorOpens(std::function<void(TFPrsn*)> work)
    {
        auto* poll = new QTimer(map.get());
        poll->setInterval(2);
        QObject::connect(poll, &QTimer::timeout, [poll, work] {
            if (auto* editor = qobject_cast<TFPrsn*>(QApplication::activeModalWidget())) {
                poll->deleteLater();
                poll->stop();
                work(editor);
            }
        });
        poll->start();
    }
};

TEST_F(PersonDoor, ButtonOpensTheEditorWhoseOkReachesTheSavedFile)
{
    const QString path = writeScenario(QStringLiteral("D_Sce1.kqx"), 5, [](ScenarioTables& t) {
        t.persons.TongShuai[6] = 10;
        t.persons.TongShuai[7] = 10;
    });
    openThroughDialog(path);
    answers.reset(); // this test answers the editor itself
    whenEditorOpens([](TFPrsn* editor) {
        auto* list = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
        list->scrollToTop();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(6)).center());
        auto* edit = editor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_TongShuai"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("201"));
        editor->findChild<QAbstractButton*>(QStringLiteral("SpeedButton_TongShuai"))->click();
        editor->findChild<QAbstractButton*>(QStringLiteral("Button1"))->click();
    });
    button(QStringLiteral("Button52"))->click();
    ASSERT_NE(windows.FPrsn, nullptr);
    EXPECT_EQ(windows.FPrsn->objectName(), QStringLiteral("FPrsn"));
    EXPECT_EQ(map->Store().persons.TongShuai[6], 201);

    answers = std::make_unique<ModalAnswer>();
    button(QStringLiteral("Button54"))->click();
    EXPECT_TRUE(answers->messages.isEmpty()) << answers->messages.join(u'\n').toStdString();
    auto saved = std::make_unique<ScenarioTables>();
    const QByteArray bytes = tablesOfFile(path);
    ASSERT_EQ(bytes.size(), qsizetype(sizeof(ScenarioTables)));
    std::memcpy(static_cast<void*>(saved.get()), bytes.constData(), sizeof(ScenarioTables));
    EXPECT_EQ(saved->persons.TongShuai[6], 201);
    EXPECT_EQ(saved->persons.TongShuai[7], 10);
}

} // namespace
} // namespace veldor::test

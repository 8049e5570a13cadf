#pragma once

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"
#include "support/forceworld.h"
#include "support/scenariofiles.h"
#include "tests/ui/nextanswer.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formforc.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {

// The force editor over a scenario file on disk, laid out as the force world, driven through
// its real controls.
class ForceWindow : public ::testing::Test
{
protected:
    ForceWindow()
    {
        store.Names().load();
        form.setApplied([this] { ++refreshes; });
        path_ = dir_.filePath(QStringLiteral("D_Sce1.kqx"));
        WriteBytes(path_, RandomScenarioBytes(6));
        QString error;
        EXPECT_TRUE(store.Open(path_, error)) << error.toStdString();
        LayForceWorld(store);
    }

    void show()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    template <typename T> T* control(const char* name)
    {
        T* widget = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    ListBox* list(const char* name) { return control<ListBox>(name); }

    void clickRow(const char* listName, int row)
    {
        ListBox* box = list(listName);
        box->scrollToItem(box->item(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                          box->visualItemRect(box->item(row)).center());
    }
    void press(const char* buttonName)
    {
        QTest::mouseClick(control<QPushButton>(buttonName), Qt::LeftButton);
    }
    // Replaces the edit's text as a user would: select all, then type (nothing = delete).
    void type(const char* editName, const char* text)
    {
        QLineEdit* edit = control<QLineEdit>(editName);
        edit->setFocus();
        edit->selectAll();
        if (*text)
            QTest::keyClicks(edit, QString::fromLatin1(text));
        else
            QTest::keyClick(edit, Qt::Key_Backspace);
    }
    QString text(const char* editName) { return control<QLineEdit>(editName)->text(); }
    QString row(const char* listName, int row) { return list(listName)->item(row)->text(); }
    int selected(const char* listName)
    {
        ListBox* box = list(listName);
        return box->isMarked(box->focusRow()) ? box->focusRow() : -1;
    }

    // Saves the store and reads the file back into a fresh store.
    std::unique_ptr<ScenarioStore> savedAndReread()
    {
        QString error;
        EXPECT_TRUE(store.Save(error)) << error.toStdString();
        auto reread = std::make_unique<ScenarioStore>();
        EXPECT_TRUE(reread->Open(path_, error)) << error.toStdString();
        return reread;
    }

    QTemporaryDir dir_;
    QString path_;
    ScenarioStore store;
    int refreshes = 0;
    TFForc form{store};
};

} // namespace veldor::test

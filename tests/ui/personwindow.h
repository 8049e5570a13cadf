#pragma once

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tests/ui/nextanswer.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formprsn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace veldor::test {

// A scenario of random bytes given distinct abilities, opened into a store, and the editor on
// it, shown (not modally, so that the test can drive it).
class PersonWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path_ = dir_.filePath(QStringLiteral("D_Sce2.kqx"));
        test::WriteBytes(path_, test::RandomScenarioBytes(11));
        QString error;
        ASSERT_TRUE(store.Open(path_, error)) << error.toStdString();
        for (int p = 0; p < kPersons; ++p) {
            store.persons.TongShuai[p] = uint16_t((p * 7) % 256);
            store.persons.City[p] = kNone;
            store.persons.Degree[p] = kOfficer;
            std::fill(std::begin(store.persons.Skill[p]), std::end(store.persons.Skill[p]), false);
            std::fill(std::begin(store.persons.Faith[p]), std::end(store.persons.Faith[p]), 30);
        }
        form = std::make_unique<TFPrsn>(store);
        show();
    }
    void TearDown() override { form.reset(); }

    void show()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    template <class T> T* child(const QString& name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    ListBox* list() const { return child<ListBox>(QStringLiteral("ListBox_Prsn_Prsn")); }
    void clickRow(ListBox* box, int row, Qt::KeyboardModifiers mods = {})
    {
        box->scrollToItem(box->item(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, mods,
                          box->visualItemRect(box->item(row)).center());
    }
    void press(const QString& name) { child<QAbstractButton>(name)->click(); }
    void type(const QString& edit, const QString& text)
    {
        NumberEdit* field = child<NumberEdit>(edit);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QString caption() const { return child<QGroupBox>(QStringLiteral("GroupBox1"))->title(); }
    uint16_t personAt(int row) const { return form->Editor().PrsnOrder[row]; }
    QString rowText(uint16_t person) const { return FromGbk(form->Editor().PrsnLineText(person)); }
    uint16_t fileField(uint16_t person, int offset) const
    {
        const QByteArray bytes = test::ReadBytes(path_);
        const qint64 at = layout::kPrsnOffset + person * layout::kPrsnSize + offset;
        return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
    }

    ScenarioStore store;
    std::unique_ptr<TFPrsn> form;
    QTemporaryDir dir_;
    QString path_;
};

} // namespace veldor::test

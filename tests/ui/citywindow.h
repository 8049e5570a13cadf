#pragma once

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tests/ui/listinput.h"
#include "tests/ui/nextanswer.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formcity.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace veldor::test {

namespace city {
constexpr uint16_t kEdited = 3;    // owned by force 7, whose sovereign is person 10
constexpr uint16_t kOther = 12;    // owned by force 2, whose sovereign is person 11
constexpr uint16_t kStranger = 40; // a person of kOther
constexpr uint16_t kLocal = 41;    // a person of kEdited
} // namespace city

// A scenario file with random bytes, opened and then given known values, and the editor on it.
class CityWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NameTables& names = store.Names();
        for (int p = 0; p < kPersons; ++p)
            names.setPerson(p, "P" + QByteArray::number(p));
        names.setCity(city::kEdited, ToGbk(QStringLiteral("洛阳")));
        names.setPerson(10, ToGbk(QStringLiteral("张飞")));
        names.setPerson(11, ToGbk(QStringLiteral("关羽")));
        path_ = dir_.filePath(QStringLiteral("D_Sce1.kqx"));
        test::WriteBytes(path_, test::RandomScenarioBytes(7));
        QString error;
        ASSERT_TRUE(store.Open(path_, error)) << error.toStdString();
        for (int c = 0; c < kCities; ++c)
            store.cities.Forc[c] = kNone;
        std::fill(std::begin(store.forces.King), std::end(store.forces.King), kNone);
        store.cities.Forc[city::kEdited] = 7;
        store.cities.Forc[city::kOther] = 2;
        store.forces.King[7] = 10;
        store.forces.King[2] = 11;
        for (int p = 0; p < kPersons; ++p) {
            store.persons.City[p] = kCities + 5; // nowhere
            store.persons.Degree[p] = uint16_t(p % 10);
        }
        store.persons.City[city::kLocal] = city::kEdited;
        store.persons.Degree[city::kLocal] = kCorpsCommander;
        store.persons.City[city::kStranger] = city::kOther;
        store.persons.Degree[city::kStranger] = kOfficer;
        store.cities.MinXin[city::kEdited] = 500;
        store.cities.PingMin[city::kEdited] = 20000;
        form = std::make_unique<TFCity>(store);
        form->setApplied([this] { ++refreshes; });
        form->CurCity = city::kEdited;
    }
    void TearDown() override { form.reset(); }

    void show()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    template <class T> T* child(const char* name)
    {
        T* widget = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void press(const char* button) { child<QPushButton>(button)->click(); }
    NumberEdit* edit(const char* name) { return child<NumberEdit>(name); }
    ListBox* list() { return child<ListBox>("ListBox_City_Prsn"); }
    QComboBox* owners() { return child<QComboBox>("ComboBox_City_Forc"); }
    int rowOf(uint16_t person)
    {
        const QString name = FromGbk(PrsnNameText(store.Names(), person));
        for (int row = 0; row < kPersons; ++row)
            if (list()->item(row)->text().startsWith(name))
                return row;
        return -1;
    }
    QString rowText(uint16_t person) { return list()->item(rowOf(person))->text(); }
    void clickRow(int row)
    {
        ListBox* box = list();
        box->scrollToItem(box->item(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                          box->visualItemRect(box->item(row)).center());
    }
    void chooseOwner(int entry) { ChooseEntry(owners(), entry); }
    // The file as a fresh open sees it after "保存修改".
    std::unique_ptr<ScenarioStore> savedAndReopened()
    {
        QString error;
        EXPECT_TRUE(store.Save(error)) << error.toStdString();
        auto reopened = std::make_unique<ScenarioStore>();
        EXPECT_TRUE(reopened->Open(path_, error)) << error.toStdString();
        return reopened;
    }

    ScenarioStore store;
    std::unique_ptr<TFCity> form;
    int refreshes = 0;

    QTemporaryDir dir_;
    QString path_;
};

} // namespace veldor::test

// Every field the editors edit, walked from the catalogue: the windows' bounds and choices are
// the catalogue's.

#include "data/format/fieldcatalogue.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formprsn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {
namespace {

class CatalogueEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = dir_.filePath(QStringLiteral("D_Sce1.kqx"));
        WriteBytes(path, RandomScenarioBytes(22));
        QString error;
        ASSERT_TRUE(store_.Open(path, error)) << error.toStdString();
    }

    static QStringList items(const QComboBox* combo)
    {
        QStringList texts;
        for (int k = 0; k < combo->count(); ++k)
            texts << combo->itemText(k);
        return texts;
    }
    static QStringList rows(const ListBox* list)
    {
        QStringList texts;
        for (int k = 0; k < list->count(); ++k)
            texts << list->item(k)->text();
        return texts;
    }

    // The control of `window` that edits `field`, by the window's naming: Edit_<prefix>_<id>,
    // one loyalty or friendliness edit for the whole row of fifty.
    static QWidget* control(const QWidget& window, const QString& kind, const QString& prefix,
                            const CatalogueField& field)
    {
        QString id = field.identifier;
        for (const char* row : {"Faith", "Relation"})
            if (id.startsWith(QLatin1String(row)))
                id = QLatin1String(row);
        return window.findChild<QWidget*>(kind + prefix + id);
    }

    // Each number field edited in `window` keeps the catalogue's bounds as shown; returns how
    // many were found, so that a renamed control cannot pass unseen.
    static int checkNumbers(const QWidget& window, TableId table, const QString& prefix)
    {
        int found = 0;
        for (const CatalogueField& field : FieldCatalogue(table)) {
            auto* edit =
                qobject_cast<NumberEdit*>(control(window, QStringLiteral("Edit_"), prefix, field));
            if (!edit)
                continue;
            ++found;
            SCOPED_TRACE(field.identifier.toStdString());
            EXPECT_EQ(edit->minimum(), 0);
            // 相性 is typed only up to 149; its button assigns the rest.
            if (field.identifier == QLatin1String("XiangXing"))
                EXPECT_LT(edit->maximum(), field.maximum);
            else
                EXPECT_EQ(edit->maximum(), field.maximum + field.shownOffset);
        }
        return found;
    }

    QTemporaryDir dir_;
    ScenarioStore store_;
};

TEST_F(CatalogueEditors, PersonWindowBoundsChoicesAndSkillsAreTheCatalogues)
{
    TFPrsn window(store_);
    EXPECT_EQ(checkNumbers(window, TableId::Persons, QStringLiteral("Prsn_")), 18 + 50);
    int choices = 0;
    for (const CatalogueField& field : FieldCatalogue(TableId::Persons)) {
        SCOPED_TRACE(field.identifier.toStdString());
        if (field.values == FieldValues::Flag) {
            auto* box =
                window.findChild<QCheckBox*>(QStringLiteral("CheckBox_") + field.identifier);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), field.name);
        }
        auto* combo = qobject_cast<QComboBox*>(
            control(window, QStringLiteral("ComboBox_"), QStringLiteral("Prsn_"), field));
        if (!combo)
            continue;
        ++choices;
        QStringList expected = field.choices;
        if (field.values == FieldValues::City)
            for (int c = 0; c <= field.maximum; ++c)
                expected << ValueText(field, c, store_, store_.Names());
        if (field.hasNone && field.values == FieldValues::Choice)
            expected << field.noneText;
        EXPECT_EQ(items(combo), expected);
    }
    EXPECT_EQ(choices, 4);
}

TEST_F(CatalogueEditors, CityAndForceWindowBoundsAndChoicesAreTheCatalogues)
{
    TFCity city(store_);
    EXPECT_EQ(checkNumbers(city, TableId::Cities, QStringLiteral("City_")), 10);

    TFForc force(store_);
    EXPECT_EQ(checkNumbers(force, TableId::Forces, QStringLiteral("Forc_")), 4 + 50);
    const CatalogueField& rank = CatalogueEntry(TableId::Forces, "Rank");
    EXPECT_EQ(items(force.findChild<QComboBox*>(QStringLiteral("ComboBox_Forc_Rank"))),
              rank.choices);
    const CatalogueField& name = CatalogueEntry(TableId::Forces, "Name");
    EXPECT_EQ(items(force.findChild<QComboBox*>(QStringLiteral("ComboBox_Forc_Name"))),
              name.choices + QStringList{name.noneText});
    QStringList skills;
    for (int k = 1; k <= kSkills; ++k)
        skills << CatalogueEntry(TableId::Forces,
                                 QStringLiteral("Skill%1").arg(k).toLatin1().constData())
                      .name;
    EXPECT_EQ(rows(force.findChild<ListBox*>(QStringLiteral("ListBox_Forc_Skill"))), skills);
}

} // namespace
} // namespace veldor::test

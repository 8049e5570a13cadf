// The catalogue against the walker's columns, and its values read and written back.

#include "data/format/fieldcatalogue.h"
#include "data/format/fieldheads.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/format/tablecells.h"

#include <gtest/gtest.h>

#include <QSet>

#include <memory>

namespace veldor {
namespace {

const CatalogueField& field(TableId table, const char* identifier)
{
    const int column = CatalogueColumn(table, QString::fromLatin1(identifier));
    EXPECT_GE(column, 0) << identifier;
    return CatalogueEntry(table, column);
}

TEST(FieldCatalogue, NamesEveryWalkedColumnOnceInChineseWithinItsStorage)
{
    for (TableId table : AllTables()) {
        const std::vector<TableColumn>& columns = TableColumns(table);
        ASSERT_EQ(FieldCatalogue(table).size(), columns.size());
        QSet<QString> heads;
        for (const CatalogueField& f : FieldCatalogue(table)) {
            const TableColumn& walked = columns[size_t(f.column)];
            SCOPED_TRACE(f.identifier.toStdString());
            EXPECT_EQ(f.identifier, walked.name);
            EXPECT_EQ(f.table, table);
            // A name a user reads: Chinese, never the identifier again.
            EXPECT_FALSE(f.name.isEmpty());
            EXPECT_GE(f.name.at(0).unicode(), 0x2e80);
            EXPECT_FALSE(heads.contains(f.name));
            EXPECT_FALSE(heads.contains(f.identifier));
            heads << f.name << f.identifier;
            EXPECT_EQ(CatalogueColumn(table, f.name), f.column);
            EXPECT_EQ(CatalogueColumn(table, f.identifier), f.column);
            EXPECT_GE(f.minimum, CellMinimum(walked.width));
            EXPECT_LE(f.maximum, CellMaximum(walked.width));
            if (f.values == FieldValues::Choice) {
                EXPECT_EQ(f.choices.size(), f.maximum - f.minimum + 1);
            }
            EXPECT_EQ(f.hasNone, !f.noneText.isEmpty());
        }
    }
}

// Heads match whatever their case and spacing, in any script; nothing else is dropped.
TEST(FieldCatalogue, LooseHeadsIgnoreCaseAndEverySpace)
{
    EXPECT_EQ(LooseHead(QStringLiteral(" Tong\tShuai\r\n\v\f")), QStringLiteral("tongshuai"));
    EXPECT_EQ(LooseHead(QStringLiteral("AZ@[`{az09_#")), QStringLiteral("az@[`{az09_#"));
    EXPECT_EQ(LooseHead(QStringLiteral("统\u00a0率\u3000\u0085Ä\u0130")),
              QStringLiteral("统率ä\u0130").toCaseFolded());
    EXPECT_EQ(LooseHead(QStringLiteral("\x1f\x08")), QStringLiteral("\x1f\x08"));
    EXPECT_EQ(LooseCatalogueColumn(TableId::Persons, QStringLiteral("tong SHUAI")),
              LooseCatalogueColumn(TableId::Persons, QStringLiteral("统率")));
}

TEST(FieldCatalogue, AllowsTheBoundsAndNoneOnlyWhereTheFieldHasIt)
{
    const CatalogueField& tongShuai = field(TableId::Persons, "TongShuai");
    EXPECT_TRUE(IsAllowedValue(tongShuai, 0));
    EXPECT_TRUE(IsAllowedValue(tongShuai, 255));
    EXPECT_FALSE(IsAllowedValue(tongShuai, 256));
    EXPECT_FALSE(IsAllowedValue(tongShuai, kNone));
    EXPECT_FALSE(IsAllowedValue(field(TableId::Persons, "Degree"), 10));
    const CatalogueField& city = field(TableId::Persons, "City");
    EXPECT_TRUE(IsAllowedValue(city, 49));
    EXPECT_FALSE(IsAllowedValue(city, 50));
    EXPECT_TRUE(IsAllowedValue(city, kNone));
    EXPECT_FALSE(IsAllowedValue(field(TableId::Cities, "PingMin"), -1));
    EXPECT_EQ(AllowedValuesText(tongShuai), QStringLiteral("0..255"));
    EXPECT_EQ(AllowedValuesText(city), QStringLiteral("0..49 或 65535（空）"));
    EXPECT_EQ(FieldTitle(tongShuai), QStringLiteral("统率（TongShuai）"));
    EXPECT_EQ(field(TableId::Persons, "BornYear").maximum, 2003 - 130);
    // The limits the windows kept before they read them from here: one slip would let the
    // editors and import take what the game cannot hold.
    const struct
    {
        TableId table;
        const char* identifier;
        int64_t maximum;
    } limits[] = {{TableId::Persons, "YiLi", 15},         {TableId::Persons, "YeXin", 15},
                  {TableId::Persons, "BuBing", 2000},     {TableId::Persons, "Faith0", 255},
                  {TableId::Cities, "PingMin", 30000000}, {TableId::Cities, "BingYi", 3000000},
                  {TableId::Cities, "MinXin", 10000},     {TableId::Forces, "Money", 30000000},
                  {TableId::Forces, "Repute", 1000},      {TableId::Forces, "Relation0", 255}};
    for (const auto& limit : limits)
        EXPECT_EQ(field(limit.table, limit.identifier).maximum, limit.maximum) << limit.identifier;
}

class CatalogueValues : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int k = 0; k < kPersons; ++k)
            nameTables.setPerson(k, ToGbk(QStringLiteral("人") + QString::number(k)));
        nameTables.setPerson(7, ToGbk(QStringLiteral("同名")));
        nameTables.setPerson(8, ToGbk(QStringLiteral("同名")));
        nameTables.setPerson(9, ToGbk(QStringLiteral("杜哲  ")));
        for (int k = 0; k < kCities; ++k)
            nameTables.setCity(k, ToGbk(QStringLiteral("城") + QString::number(k)));
        tables->forces.King[3] = 9;
        tables->forces.King[4] = kNone;
    }
    NameTables nameTables;
    std::unique_ptr<ScenarioTables> tables = std::make_unique<ScenarioTables>();
};

TEST_F(CatalogueValues, ShowsValuesAsTheWindowsDo)
{
    EXPECT_EQ(ValueText(field(TableId::Persons, "Degree"), 3, *tables, nameTables),
              QStringLiteral("一般"));
    EXPECT_EQ(ValueText(field(TableId::Persons, "Rank"), kNone, *tables, nameTables),
              QStringLiteral("——"));
    EXPECT_EQ(ValueText(field(TableId::Persons, "BornYear"), 60, *tables, nameTables),
              QStringLiteral("190"));
    EXPECT_EQ(ValueText(field(TableId::Persons, "City"), 9, *tables, nameTables),
              QStringLiteral("濮阳"));
    EXPECT_EQ(ValueText(field(TableId::Items, "ItemOwner"), 9, *tables, nameTables),
              QStringLiteral("杜哲"));
    EXPECT_EQ(ValueText(field(TableId::Cities, "Forc"), 3, *tables, nameTables),
              QStringLiteral("杜哲"));
    EXPECT_EQ(ValueText(field(TableId::Cities, "Forc"), 4, *tables, nameTables),
              QStringLiteral("4"));
    EXPECT_EQ(ValueText(field(TableId::Forces, "Name"), kNone, *tables, nameTables),
              QStringLiteral("——"));
    // Values no editor could store stay numbers, never a neighbour's text.
    EXPECT_EQ(ValueText(field(TableId::Persons, "Degree"), 12, *tables, nameTables),
              QStringLiteral("12"));
    EXPECT_EQ(ValueText(field(TableId::Persons, "City"), 60, *tables, nameTables),
              QStringLiteral("60"));
}

TEST_F(CatalogueValues, NamesReadBackToTheirValueAndAmbiguousNamesStayNumbers)
{
    const ValueNames names(*tables, nameTables);
    for (TableId table : AllTables())
        for (const CatalogueField& f : FieldCatalogue(table)) {
            for (int64_t v : {f.minimum, f.maximum, int64_t(kNone)}) {
                const QString name = names.name(f, v);
                if (!name.isEmpty()) {
                    EXPECT_EQ(names.value(f, name), v) << f.identifier.toStdString();
                }
                if (f.values == FieldValues::Choice && IsAllowedValue(f, v)) {
                    EXPECT_FALSE(name.isEmpty());
                }
            }
        }
    const CatalogueField& owner = field(TableId::Items, "ItemOwner");
    EXPECT_TRUE(names.name(owner, 7).isEmpty());
    EXPECT_FALSE(names.value(owner, QStringLiteral("同名")));
    EXPECT_EQ(names.value(owner, QStringLiteral("杜哲")), 9);
    // Both spellings of a city: the window's and the name list's.
    const CatalogueField& city = field(TableId::Persons, "City");
    EXPECT_EQ(names.value(city, QStringLiteral("濮阳")), 9);
    EXPECT_EQ(names.value(city, QStringLiteral("城9")), 9);
    EXPECT_EQ(names.name(city, 9), QStringLiteral("濮阳"));
    EXPECT_EQ(ParseValueText(city, QStringLiteral(" 空 "), names), kNone);
    EXPECT_EQ(ParseValueText(city, QStringLiteral("12"), names), 12);
    EXPECT_EQ(ParseValueText(field(TableId::Persons, "BornYear"), QStringLiteral("190"), names),
              60);
    EXPECT_FALSE(ParseValueText(city, QStringLiteral("长城"), names));
    EXPECT_FALSE(ParseValueText(field(TableId::Persons, "WuLi"), QStringLiteral("1.5"), names));
}

} // namespace
} // namespace veldor

// dump must show every named field as the file stores it. The offsets below are written out
// again from the format's description, independently of the layout code under test.

#include "cli/sceharness.h"
#include "support/scenariofiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace veldor::test {
namespace {

enum class Width { U16, I32, Bytes50, Mask };

struct Field
{
    const char* name;
    int offset;
    Width width;
};

struct Table
{
    const char* name;
    int offset, recordSize, records;
    std::vector<Field> fields;
    bool named;
};

const std::vector<Table>& tables()
{
    using W = Width;
    static const std::vector<Table> all = {
        {"places", 565146, 28, 137, {{"PlaceForc", 0, W::U16}, {"PlaceCity", 2, W::U16}}, false},
        {"cities",
         570746,
         56,
         50,
         {{"PingMin", 0, W::I32},
          {"BingYi", 4, W::I32},
          {"ShiBing", 8, W::I32},
          {"Forc", 24, W::U16},
          {"MinXin", 26, W::U16},
          {"MaxShouYi", 28, W::U16},
          {"MaxShouHuo", 30, W::U16},
          {"ShouYi", 32, W::U16},
          {"ShouHuo", 34, W::U16},
          {"NaiJiu", 36, W::U16},
          {"MaxNaiJiu", 38, W::U16}},
         true},
        {"forces",
         573550,
         86,
         50,
         {{"Money", 0, W::I32},
          {"Grain", 4, W::I32},
          {"Metro", 14, W::U16},
          {"Name", 16, W::U16},
          {"King", 18, W::U16},
          {"MinRepute", 20, W::U16},
          {"Repute", 22, W::U16},
          {"Rank", 26, W::U16},
          {"Skills", 30, W::Mask},
          {"Relation", 36, W::Bytes50}},
         false},
        {"items", 577874, 22, 100, {{"ItemOwner", 0, W::U16}}, false},
        {"persons",
         612528,
         134,
         800,
         {{"Extra0", 0, W::U16},     {"Extra2", 2, W::U16},     {"EnterYear", 4, W::U16},
          {"BornYear", 6, W::U16},   {"City", 10, W::U16},      {"Degree", 14, W::U16},
          {"TongShuai", 16, W::U16}, {"WuLi", 18, W::U16},      {"ZhiLi", 20, W::U16},
          {"ZhengZhi", 22, W::U16},  {"Rank", 24, W::U16},      {"Extra30", 30, W::U16},
          {"XiangXing", 34, W::U16}, {"YiLi", 36, W::U16},      {"YeXin", 38, W::U16},
          {"XingGe", 40, W::U16},    {"BuBing", 42, W::U16},    {"QiBing", 44, W::U16},
          {"GongQi", 46, W::U16},    {"NuBing", 48, W::U16},    {"ShuiJun", 50, W::U16},
          {"GongCheng", 52, W::U16}, {"ZhiLue", 54, W::U16},    {"MouLue", 56, W::U16},
          {"CeLue", 58, W::U16},     {"Faith", 64, W::Bytes50}, {"Skills", 114, W::Mask}},
         true},
    };
    return all;
}

void expectField(const QByteArray& file, int at, const Field& field, const QJsonValue& value,
                 const std::string& where)
{
    const char* p = file.constData() + at + field.offset;
    switch (field.width) {
    case Width::U16:
        EXPECT_EQ(value.toInteger(-1), qFromLittleEndian<quint16>(p)) << where;
        break;
    case Width::I32:
        ASSERT_TRUE(value.isDouble()) << where;
        EXPECT_EQ(value.toInteger(), qFromLittleEndian<qint32>(p)) << where;
        break;
    case Width::Bytes50: {
        const QJsonArray bytes = value.toArray();
        ASSERT_EQ(bytes.size(), 50) << where;
        for (int k = 0; k < 50; ++k)
            EXPECT_EQ(bytes[k].toInteger(-1), quint8(p[k])) << where << "[" << k << "]";
        break;
    }
    case Width::Mask: {
        const quint32 mask = qFromLittleEndian<quint32>(p);
        const QJsonArray flags = value.toArray();
        ASSERT_EQ(flags.size(), 31) << where;
        for (int k = 0; k < 31; ++k) {
            ASSERT_TRUE(flags[k].isBool()) << where;
            EXPECT_EQ(flags[k].toBool(), bool((mask >> k) & 1u)) << where << " flag " << k + 1;
        }
        break;
    }
    }
}

class DumpTest : public ::testing::Test
{
protected:
    QString writeScenario(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("D_Sce_test.kqx"));
        WriteBytes(path, bytes);
        return path;
    }

    SceResult dump(const QStringList& args) { return RunSceCaptured(args, {names_.dir()}); }

    QTemporaryDir dir_;
    KnownNameLists names_;
};

TEST_F(DumpTest, EveryTableAgreesWithTheFileOffsets)
{
    const QByteArray file = RandomScenarioBytes(41, 730000);
    const SceResult result = dump({"dump", writeScenario(file)});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &parseError);
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();
    const QJsonObject root = document.object();
    ASSERT_EQ(root.size(), 5);

    for (const Table& table : tables()) {
        const QJsonArray records = root.value(QLatin1String(table.name)).toArray();
        ASSERT_EQ(records.size(), table.records) << table.name;
        std::set<QString> expectedKeys;
        for (const Field& field : table.fields)
            expectedKeys.insert(QLatin1String(field.name));
        if (table.named)
            expectedKeys.insert(QStringLiteral("name"));
        // The first, second and last record catch a wrong record size; a stride through the
        // middle catches a wrong offset that happens to line up at the ends.
        for (int i : {0, 1, table.records / 2, table.records - 1, table.records / 3, 7}) {
            const QJsonObject record = records[i].toObject();
            const QStringList keys = record.keys();
            EXPECT_EQ(std::set<QString>(keys.begin(), keys.end()), expectedKeys) << table.name;
            const int at = table.offset + i * table.recordSize;
            for (const Field& field : table.fields)
                expectField(file, at, field, record.value(QLatin1String(field.name)),
                            std::string(table.name) + "[" + std::to_string(i) + "]." + field.name);
        }
    }
    const QJsonArray persons = root.value(QStringLiteral("persons")).toArray();
    EXPECT_EQ(persons[0].toObject().value("name").toString(), QStringLiteral("张0"));
    EXPECT_EQ(persons[701].toObject().value("name").toString(), QStringLiteral("张701"));
    EXPECT_EQ(persons[702].toObject().value("name").toString(), QStringLiteral("新1"));
    EXPECT_EQ(persons[799].toObject().value("name").toString(), QStringLiteral("新98"));
    const QJsonArray cities = root.value(QStringLiteral("cities")).toArray();
    EXPECT_EQ(cities[49].toObject().value("name").toString(), QStringLiteral("城49"));
}

TEST_F(DumpTest, OneTableAloneIsThatTablesArray)
{
    const QString path = writeScenario(RandomScenarioBytes(42, 719712));
    const SceResult whole = dump({"dump", path});
    const SceResult forces = dump({"dump", "--table", "forces", path});
    ASSERT_EQ(forces.code, 0) << forces.err.toStdString();
    const QJsonDocument document = QJsonDocument::fromJson(forces.out.toUtf8());
    ASSERT_TRUE(document.isArray());
    EXPECT_EQ(document.array(),
              QJsonDocument::fromJson(whole.out.toUtf8()).object().value("forces").toArray());
}

TEST_F(DumpTest, UnknownTableIsRefused)
{
    const SceResult result =
        dump({"dump", "--table", "armies", writeScenario(RandomScenarioBytes(43))});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains(QStringLiteral("armies"))) << result.err.toStdString();
}

TEST_F(DumpTest, MissingNameListsWarnButStillDump)
{
    QTemporaryDir empty;
    const SceResult result = RunSceCaptured(
        {"dump", "--table", "cities", writeScenario(RandomScenarioBytes(44))}, {empty.path()});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("city.txt"))) << result.err.toStdString();
    const QJsonArray cities = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(cities.size(), 50);
    EXPECT_EQ(cities[0].toObject().value("name").toString(), QString());
}

TEST_F(DumpTest, NamesWithQuotesAndBackslashesStayValidJson)
{
    QTemporaryDir lists;
    WriteBytes(lists.filePath("name.txt"), "a\"b\\c\x01 plain");
    WriteBytes(lists.filePath("city.txt"), "\"");
    const SceResult result =
        RunSceCaptured({"dump", writeScenario(RandomScenarioBytes(45))}, {lists.path()});
    QJsonParseError parseError;
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();
    const QJsonArray persons = root.value("persons").toArray();
    EXPECT_EQ(persons[0].toObject().value("name").toString(), QStringLiteral("a\"b\\c\x01"));
    EXPECT_EQ(persons[1].toObject().value("name").toString(), QStringLiteral("plain"));
    EXPECT_EQ(root.value("cities").toArray()[3].toObject().value("name").toString(), "\"");
}

} // namespace
} // namespace veldor::test

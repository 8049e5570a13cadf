#include "tools/sce/scenariojson.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"

namespace veldor {
namespace {

void appendJsonString(QString& text, const QString& value)
{
    text += '"';
    for (const QChar c : value) {
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (c.unicode() < 0x20) {
            text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            text += c;
        }
    }
    text += '"';
}

class JsonWriter
{
public:
    JsonWriter(const NameTables& names, std::optional<TableId> only) : names_(names), only_(only)
    {
        text_.reserve(only ? 200000 : 600000);
        if (!only_)
            text_ += '{';
    }

    void record(TableId table, int index)
    {
        skipping_ = only_ && *only_ != table;
        if (skipping_)
            return;
        closeRecord();
        if (!current_ || *current_ != table)
            openTable(table);
        else
            text_ += QStringLiteral(",\n");
        text_ += '{';
        recordOpen_ = true;
        firstField_ = true;
        if (table == TableId::Persons)
            name(names_.person(index));
        else if (table == TableId::Cities)
            name(names_.city(index));
    }

    void u16(const char* field, int64_t, uint16_t value)
    {
        if (!skipping_) {
            key(field);
            text_ += QString::number(value);
        }
    }
    void i32(const char* field, int64_t, int32_t value)
    {
        if (!skipping_) {
            key(field);
            text_ += QString::number(value);
        }
    }
    void bytes(const char* field, int64_t, const uint8_t* values, int count)
    {
        if (skipping_)
            return;
        key(field);
        text_ += '[';
        for (int k = 0; k < count; ++k) {
            if (k > 0)
                text_ += ',';
            text_ += QString::number(values[k]);
        }
        text_ += ']';
    }
    void skills(const char* field, int64_t, const bool* flags)
    {
        if (skipping_)
            return;
        key(field);
        text_ += '[';
        for (int k = 0; k < kSkills; ++k) {
            if (k > 0)
                text_ += ',';
            text_ += flags[k] ? QLatin1String("true") : QLatin1String("false");
        }
        text_ += ']';
    }

    QString finish()
    {
        closeRecord();
        if (current_)
            text_ += QStringLiteral("\n]");
        else
            text_ += only_ ? QStringLiteral("[]") : QString();
        text_ += only_ ? QStringLiteral("\n") : QStringLiteral("\n}\n");
        return std::move(text_);
    }

private:
    void openTable(TableId table)
    {
        if (current_)
            text_ += QStringLiteral("\n],");
        current_ = table;
        if (!only_) {
            text_ += '\n';
            appendJsonString(text_, QString::fromLatin1(tableName(table)));
            text_ += QStringLiteral(": ");
        }
        text_ += QStringLiteral("[\n");
    }

    void closeRecord()
    {
        if (recordOpen_)
            text_ += '}';
        recordOpen_ = false;
    }

    void key(const char* field)
    {
        if (!firstField_)
            text_ += QStringLiteral(", ");
        firstField_ = false;
        text_ += '"';
        text_ += QLatin1String(field);
        text_ += QStringLiteral("\": ");
    }

    void name(const QByteArray& gbk)
    {
        key("name");
        appendJsonString(text_, FromGbk(gbk));
    }

    const NameTables& names_;
    std::optional<TableId> only_;
    std::optional<TableId> current_;
    QString text_;
    bool skipping_ = false;
    bool recordOpen_ = false;
    bool firstField_ = true;
};

} // namespace

QString ScenarioJson(const ScenarioTables& tables, const NameTables& names,
                     std::optional<TableId> only)
{
    JsonWriter writer(names, only);
    visitScenarioFields(tables, writer);
    return writer.finish();
}

std::optional<TableId> TableIdFromName(const QString& name)
{
    for (TableId table :
         {TableId::Places, TableId::Cities, TableId::Forces, TableId::Items, TableId::Persons})
        if (name == QLatin1String(tableName(table)))
            return table;
    return std::nullopt;
}

} // namespace veldor

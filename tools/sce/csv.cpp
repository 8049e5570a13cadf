#include "tools/sce/csv.h"

namespace veldor {
namespace {

bool needsQuotes(const QString& field)
{
    if (field.isEmpty())
        return false;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    for (const QChar c : field)
        if (c == ',' || c == '"' || c == '\n' || c == '\r')
            return true;
    return false;
}

class CsvParser
{
public:
    CsvParser(const QString& text, QChar separator, std::vector<CsvRow>& rows)
        : text_(text), separator_(separator), rows_(rows)
    {
    }

    bool run(CsvError& error)
    {
        while (pos_ < text_.size()) {
            if (atLineEnd()) {
                skipLineEnd();
                continue;
            }
            if (!parseRecord(error))
                return false;
        }
        return true;
    }

private:
    bool atLineEnd() const { return text_[pos_] == '\n' || text_[pos_] == '\r'; }

    void skipLineEnd()
    {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    bool parseRecord(CsvError& error)
    {
        CsvRow row;
        row.line = line_;
        // Records of one table have as many fields as the first.
        if (!rows_.empty()) {
            row.fields.reserve(rows_.front().fields.size());
            row.lines.reserve(rows_.front().lines.size());
        }
        for (;;) {
            row.lines.push_back(line_);
            QStringView field;
            const int column = int(row.fields.size()) + 1;
            if (++fields_ > kMaxCsvFields)
                return fail(error, column,
                            QStringLiteral("字段超过 %1 个：最大的表也远没有这么多，"
                                           "这不会是一张表的 CSV")
                                .arg(kMaxCsvFields));
            const bool ok = pos_ < text_.size() && text_[pos_] == '"'
                                ? quotedField(row, field, column, error)
                                : plainField(field, column, error);
            if (!ok)
                return false;
            row.fields.push_back(field);
            if (pos_ < text_.size() && text_[pos_] == separator_) {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size())
                skipLineEnd();
            rows_.push_back(std::move(row));
            return true;
        }
    }

    bool plainField(QStringView& field, int column, CsvError& error)
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] != separator_ && !atLineEnd()) {
            if (text_[pos_] == '"')
                return fail(error, column,
                            QStringLiteral("字段中间出现引号；含引号的字段须整个"
                                           "用引号括起，内部引号写两遍"));
            ++pos_;
        }
        field = QStringView(text_).mid(start, pos_ - start);
        return true;
    }

    bool quotedField(CsvRow& row, QStringView& view, int column, CsvError& error)
    {
        const int startLine = line_;
        QString field;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) {
                line_ = startLine;
                return fail(error, column, QStringLiteral("引号没有闭合"));
            }
            const QChar c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    field += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            field += c;
            if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
                field += text_[pos_++];
            if (c == '\r' || c == '\n')
                ++line_;
        }
        if (pos_ < text_.size() && text_[pos_] != separator_ && !atLineEnd())
            return fail(error, column, QStringLiteral("闭合引号后还有文字"));
        // Moving the string (here or when the vector grows) keeps its characters where they are.
        row.quoted.push_back(std::move(field));
        view = row.quoted.back();
        return true;
    }

    bool fail(CsvError& error, int column, const QString& message) const
    {
        error = {line_, column, message};
        return false;
    }

    const QString& text_;
    const QChar separator_;
    std::vector<CsvRow>& rows_;
    qsizetype pos_ = 0;
    qsizetype fields_ = 0;
    int line_ = 1;
};

} // namespace

QStringList CsvRow::texts() const
{
    QStringList texts;
    texts.reserve(qsizetype(fields.size()));
    for (const QStringView field : fields)
        texts << field.toString();
    return texts;
}

QString CsvRecord(const QStringList& fields)
{
    QString record;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (k > 0)
            record += ',';
        const QString& field = fields[k];
        if (!needsQuotes(field)) {
            record += field;
            continue;
        }
        record += '"';
        record += QString(field).replace('"', QStringLiteral("\"\""));
        record += '"';
    }
    record += QStringLiteral("\r\n");
    return record;
}

void CsvPlaceAtEnd(const QString& text, int& line, int& column)
{
    line = 1;
    column = 1;
    bool quoted = false; // a doubled quote inside a quoted field toggles twice
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            ++column;
        if (c != '\r' && c != '\n')
            continue;
        if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
            ++k;
        ++line;
        if (!quoted)
            column = 1;
    }
}

QChar DetectCsvSeparator(const QString& text)
{
    int counts[3] = {};
    const QChar separators[3] = {u',', u';', u'\t'};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == '\n' || c == '\r')
            break;
        for (int k = 0; k < 3; ++k)
            counts[k] += c == separators[k];
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (counts[k] > counts[best])
            best = k;
    return separators[best];
}

bool ParseCsv(const QString& text, std::vector<CsvRow>& rows, CsvError& error, QChar separator)
{
    rows.clear();
    CsvParser parser(text, separator, rows);
    return parser.run(error);
}

} // namespace veldor

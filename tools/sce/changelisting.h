#pragma once

#include <QString>
#include <QStringView>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace veldor {

// The lines "LABEL FIELD OLD → NEW" of a change listing, copied straight into a text that goes
// to `out` in pieces of many lines. An import lists some 80,000 changed cells; QString's
// appends, seven a line, each checking sharing and room, took as long as planning the import,
// and one text of the whole listing cost its memory three times over on its way out.
class ChangeListing
{
public:
    explicit ChangeListing(QTextStream& out) : out_(out) { text_.resize(kPiece); }
    ~ChangeListing() { flush(); }
    ChangeListing(const ChangeListing&) = delete;
    ChangeListing& operator=(const ChangeListing&) = delete;

    void add(QStringView label, QStringView field, int64_t from, int64_t to)
    {
        // Two numbers of at most 20 characters, three spaces, the arrow and the line end.
        const qsizetype most = label.size() + field.size() + 2 * 20 + 5;
        if (used_ + most > text_.size()) {
            flush();
            if (most > text_.size())
                text_.resize(most);
        }
        QChar* out = text_.data() + used_;
        out = std::copy(label.begin(), label.end(), out);
        *out++ = u' ';
        out = std::copy(field.begin(), field.end(), out);
        *out++ = u' ';
        out = number(out, from);
        for (const char16_t c : u" → ")
            if (c)
                *out++ = QChar(c);
        out = number(out, to);
        *out++ = u'\n';
        used_ = out - text_.constData();
    }

    void flush()
    {
        if (used_ > 0)
            out_ << QStringView(text_.constData(), used_);
        used_ = 0;
    }

private:
    static constexpr qsizetype kPiece = 16384;

    // `value` in decimal, as QString::number writes it.
    static QChar* number(QChar* out, int64_t value)
    {
        char digits[24];
        const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
        return std::copy(digits, end.ptr, out);
    }

    QTextStream& out_;
    QString text_;
    qsizetype used_ = 0;
};

} // namespace veldor

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringConverter>
#include <QStringView>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace veldor {

// The lines "LABEL FIELD OLD → NEW" of a change listing, copied as UTF-8 into a buffer that goes
// to `out` in pieces of many lines. An import lists some 80,000 changed cells: appending them
// one by one to the stream, or encoding a text of them on its way out, took as long as planning
// the import. The labels and field names come already encoded (see `encode`), so that a record's
// name is encoded once, not once for each of its cells.
class ChangeListing
{
public:
    explicit ChangeListing(QTextStream& out)
        : out_(out),
          // Bytes may skip the stream only where it would have written them unchanged: UTF-8
          // with no byte order mark still to come. Anything else (a text in memory, another
          // encoding) is handed the text.
          device_(out.device() && out.encoding() == QStringConverter::Utf8 &&
                          !out.generateByteOrderMark()
                      ? out.device()
                      : nullptr)
    {
        text_.resize(kPiece);
    }
    ~ChangeListing() { flush(); }
    ChangeListing(const ChangeListing&) = delete;
    ChangeListing& operator=(const ChangeListing&) = delete;

    // `text` as `add` takes it, as the stream itself would encode it.
    QByteArray encode(QStringView text) { return encoder_.encode(text); }

    void add(QByteArrayView label, QByteArrayView field, int64_t from, int64_t to)
    {
        // Two numbers of at most 20 characters, three spaces, the arrow and the line end.
        const qsizetype most = label.size() + field.size() + 2 * 20 + sizeof kArrow + 1;
        if (used_ + most > text_.size()) {
            flush();
            if (most > text_.size())
                text_.resize(most);
        }
        char* out = text_.data() + used_;
        out = std::copy(label.begin(), label.end(), out);
        *out++ = ' ';
        out = std::copy(field.begin(), field.end(), out);
        *out++ = ' ';
        out = std::to_chars(out, out + 20, from).ptr;
        out = std::copy(kArrow, kArrow + sizeof kArrow - 1, out);
        out = std::to_chars(out, out + 20, to).ptr;
        *out++ = '\n';
        used_ = out - text_.constData();
    }

    void flush()
    {
        if (used_ == 0)
            return;
        const QByteArrayView piece(text_.constData(), used_);
        used_ = 0;
        if (!device_) {
            out_ << QString::fromUtf8(piece);
            return;
        }
        // What the stream holds goes first; and once a write has failed, the stream writes
        // nothing more, so neither does the listing.
        out_.flush();
        if (out_.status() != QTextStream::Ok)
            return;
        if (device_->write(piece.data(), piece.size()) != piece.size())
            out_.setStatus(QTextStream::WriteFailed);
    }

private:
    static constexpr qsizetype kPiece = 16384;
    static constexpr char kArrow[] = " \xe2\x86\x92 "; // " → "

    QTextStream& out_;
    QIODevice* const device_;
    QStringEncoder encoder_{QStringConverter::Utf8};
    QByteArray text_;
    qsizetype used_ = 0;
};

} // namespace veldor

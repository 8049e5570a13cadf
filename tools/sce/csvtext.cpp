#include "tools/sce/csvtext.h"

#include "data/format/gbk.h"

#include <QStringDecoder>

namespace veldor {
namespace {

struct WideEncoding
{
    const char* bom;
    int length;
    const char* name;
};

// UTF-32 first: its little-endian mark begins with UTF-16's.
constexpr WideEncoding kWideEncodings[] = {
    {"\xFF\xFE\x00\x00", 4, "UTF-32"},
    {"\x00\x00\xFE\xFF", 4, "UTF-32"},
};

// A UTF-8 byte order mark that a spreadsheet read as Latin-1 and saved again as UTF-8.
const QString kMisreadBom = QStringLiteral("\u00EF\u00BB\u00BF");

// Excel's "Unicode text": UTF-16 with a byte order mark, usually tab-separated.
bool decodeUtf16(const QByteArray& bytes, QString& text, CsvError& error)
{
    const bool little = bytes.startsWith("\xFF\xFE");
    QStringDecoder utf16(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                         QStringConverter::Flag::Stateless);
    text = utf16.decode(bytes.mid(2));
    if (utf16.hasError() || bytes.size() % 2 != 0) {
        error = {1, 1, QStringLiteral("文件以 UTF-16 的字节顺序标记开头，内容却不是有效的 UTF-16")};
        return false;
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul < 0)
        return true;
    CsvPlaceAtEnd(text.left(nul), error.line, error.column);
    error.message = QStringLiteral("第 %1 个字符是 NUL：CSV 的值里不能有它").arg(nul + 1);
    return false;
}

const char* wideEncoding(const QByteArray& bytes)
{
    for (const WideEncoding& e : kWideEncodings)
        if (bytes.startsWith(QByteArray::fromRawData(e.bom, e.length)))
            return e.name;
    return nullptr;
}

bool isUtf8(const QByteArray& bytes, QString& text)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = utf8.decode(bytes);
    return !utf8.hasError();
}

// The offset of the first byte that cannot start or end a GBK character, or -1.
qsizetype firstInvalidGbkByte(const QByteArray& bytes)
{
    for (qsizetype k = 0; k < bytes.size(); ++k) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        if (b < 0x80)
            continue;
        if (b == 0x80 || b == 0xFF || k + 1 == bytes.size())
            return k;
        const auto trail = static_cast<unsigned char>(bytes[k + 1]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return k;
        ++k;
    }
    return -1;
}

bool refuseAt(const QString& before, const QString& message, CsvError& error)
{
    CsvPlaceAtEnd(before, error.line, error.column);
    error.message = message;
    return false;
}

bool decodeBytes(const QByteArray& bytes, QString& text, CsvError& error);

} // namespace

bool DecodeCsvText(const QByteArray& bytes, QString& text, CsvError& error, QStringList* notes)
{
    if (!decodeBytes(bytes, text, error))
        return false;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.startsWith(kMisreadBom)) {
        text.remove(0, kMisreadBom.size());
        if (notes)
            *notes << QStringLiteral("文件开头的“ï»¿”是被误读成文字的 UTF-8 字节顺序标记"
                                     "（电子表格没有按 UTF-8 打开文件），已去掉；"
                                     "请核对其中的中文是否已成乱码");
    }
    return true;
}

namespace {

bool decodeBytes(const QByteArray& bytes, QString& text, CsvError& error)
{
    if (const char* encoding = wideEncoding(bytes)) {
        error = {1, 1,
                 QStringLiteral("文件是 %1 编码，不支持这种编码（encoding not supported）："
                                "请另存为 UTF-8 的 CSV")
                     .arg(QLatin1String(encoding))};
        return false;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, text, error);
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const bool utf8 = isUtf8(body, text);
    const qsizetype invalid = utf8 ? -1 : firstInvalidGbkByte(body);
    const qsizetype nul = body.indexOf('\0');
    auto prefix = [&](qsizetype end) {
        return utf8 ? QString::fromUtf8(body.left(end)) : FromGbk(body.left(end));
    };
    if (nul >= 0 && (invalid < 0 || nul < invalid))
        return refuseAt(
            prefix(nul),
            QStringLiteral("第 %1 字节是 NUL：CSV 的值里不能有它，文件可能不是文本").arg(nul + 1),
            error);
    if (invalid >= 0)
        return refuseAt(
            prefix(invalid),
            QStringLiteral("第 %1 字节 0x%2 不是有效的 GBK 字符（文件不是 UTF-8，"
                           "按 GBK 读）")
                .arg(invalid + 1)
                .arg(uint(static_cast<unsigned char>(body[invalid])), 2, 16, QLatin1Char('0')),
            error);
    if (!utf8)
        text = FromGbk(body);
    return true;
}

} // namespace

} // namespace veldor

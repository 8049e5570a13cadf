// Makes the GBK tables of data/format/gbktables.h by asking this machine's GBK converters, the
// ones the Linux build converts with, how they treat every byte, every pair of bytes after a
// lead and every code unit. Run by the build:
//   veldor-gbktable TARGET.cpp
// It fails when the converters are missing (a Qt without ICU) or do something the tables cannot
// describe, rather than make tables that would convert differently.
#include "data/format/gbktables.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

using namespace veldor::gbktables;

namespace {

[[noreturn]] void fail(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::fprintf(stderr, "veldor-gbktable: ");
    std::vfprintf(stderr, format, arguments);
    std::fprintf(stderr, "\n");
    va_end(arguments);
    std::exit(1);
}

// The same converters as data/format/gbk.cpp: stateless, so that each probe stands alone.
QStringDecoder& decoder()
{
    static QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder;
}

QStringEncoder& encoder()
{
    static QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder;
}

QString decode(std::initializer_list<int> bytes)
{
    QByteArray text;
    for (int byte : bytes)
        text += char(byte);
    return decoder().decode(text);
}

QByteArray encode(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text += QChar(unit);
    return encoder().encode(text);
}

bool isLead(int byte)
{
    return byte >= kFirstLead && byte <= kLastLead;
}

struct Tables
{
    std::array<char16_t, 256> decodedByte{};
    std::array<std::array<char16_t, 256>, kLeads> decodedPair{};
    std::array<std::array<bool, 256>, kLeads> readsOneByte{};
    bool lastLeadDecodes = false;
    char16_t decodedLastLead = 0;
    std::array<std::uint16_t, 65536> encoded{};
    std::vector<CodePointRun> encodedPairRuns;
    std::uint16_t encodedLoneHigh = 0;

    // What the tables say a text decodes to, to check them against the converter.
    QString decodeByTables(std::initializer_list<int> bytes) const
    {
        const std::vector<int> text(bytes);
        QString out;
        for (std::size_t i = 0; i < text.size();) {
            const int byte = text[i];
            if (!isLead(byte)) {
                out += QChar(decodedByte[byte]);
                ++i;
            } else if (i + 1 == text.size()) {
                if (lastLeadDecodes)
                    out += QChar(decodedLastLead);
                ++i;
            } else {
                out += QChar(decodedPair[byte - kFirstLead][text[i + 1]]);
                i += readsOneByte[byte - kFirstLead][text[i + 1]] ? 1 : 2;
            }
        }
        return out;
    }
};

QString decodedAlone(const Tables& tables, int byte)
{
    if (!isLead(byte))
        return QString(QChar(tables.decodedByte[byte]));
    return tables.lastLeadDecodes ? QString(QChar(tables.decodedLastLead)) : QString();
}

void probeBytes(Tables& tables)
{
    for (int byte = 0; byte < 256; ++byte) {
        const QString text = decode({byte});
        if (isLead(byte)) {
            if (text.size() > 1 || text != decode({kFirstLead}))
                fail("lead 0x%02X as the last byte decodes unlike the others", byte);
            tables.lastLeadDecodes = !text.isEmpty();
            tables.decodedLastLead = text.isEmpty() ? 0 : text[0].unicode();
        } else {
            if (text.size() != 1)
                fail("byte 0x%02X decodes to %d code units, not one", byte, int(text.size()));
            tables.decodedByte[byte] = text[0].unicode();
        }
    }
    // A byte that is no lead must stand alone whatever follows it.
    for (int byte = 0; byte < 256; ++byte) {
        if (isLead(byte))
            continue;
        for (int next = 0; next < 256; ++next) {
            if (decode({byte, next}) != decodedAlone(tables, byte) + decodedAlone(tables, next))
                fail("byte 0x%02X followed by 0x%02X does not decode as two characters", byte,
                     next);
        }
    }
}

// Whether a lead reads the byte after it or leaves it for the next character, the converter
// does not say. A first pass takes the reading the decoded pair fits (both bytes when it gives
// one code unit); a second checks every choice with a third byte after the pair, and takes the
// other reading where that tells them apart.
void probePairs(Tables& tables)
{
    static const int kThirdBytes[] = {0x00, 0x30, 0x3F, 0x40, 0x41, 0x7E,
                                      0x7F, 0x80, 0x81, 0xA1, 0xFE, 0xFF};
    auto fitsPair = [&](int lead, int next, bool readsOne) {
        const QString text = decode({lead, next});
        const QString rest = readsOne ? decodedAlone(tables, next) : QString();
        return text.size() == 1 + rest.size() && text.mid(1) == rest;
    };
    auto fitsThirdBytes = [&](int lead, int next) {
        for (int third : kThirdBytes) {
            if (decode({lead, next, third}) != tables.decodeByTables({lead, next, third}))
                return false;
        }
        return true;
    };
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int next = 0; next < 256; ++next) {
            const bool readsOne = !fitsPair(lead, next, false);
            if (!fitsPair(lead, next, readsOne))
                fail("0x%02X 0x%02X decodes in a way the tables cannot describe", lead, next);
            tables.decodedPair[lead - kFirstLead][next] = decode({lead, next})[0].unicode();
            tables.readsOneByte[lead - kFirstLead][next] = readsOne;
        }
    }
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int next = 0; next < 256; ++next) {
            if (fitsThirdBytes(lead, next))
                continue;
            bool& readsOne = tables.readsOneByte[lead - kFirstLead][next];
            readsOne = !readsOne;
            if (!fitsPair(lead, next, readsOne) || !fitsThirdBytes(lead, next))
                fail("0x%02X 0x%02X and a third byte decode in a way the tables cannot describe",
                     lead, next);
        }
    }
}

std::uint16_t entryFor(const QByteArray& bytes, char16_t unit)
{
    if (bytes.isEmpty())
        return kNoBytes;
    const int first = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1)
        return std::uint16_t(first);
    const int second = static_cast<unsigned char>(bytes[1]);
    if (bytes.size() == 2 && first >= 0x81 && (first << 8 | second) != kNoBytes)
        return std::uint16_t(first << 8 | second);
    fail("U+%04X encodes to %d bytes the tables cannot hold", unit, int(bytes.size()));
}

void probeUnits(Tables& tables)
{
    for (int unit = 0; unit < 65536; ++unit)
        tables.encoded[unit] = entryFor(encode({char16_t(unit)}), char16_t(unit));

    for (char32_t codePoint = 0x10000; codePoint <= 0x10FFFF; ++codePoint) {
        const char16_t high = char16_t(0xD800 + ((codePoint - 0x10000) >> 10));
        const char16_t low = char16_t(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        const std::uint16_t encoded = entryFor(encode({high, low}), high);
        if (tables.encodedPairRuns.empty() || tables.encodedPairRuns.back().encoded != encoded)
            tables.encodedPairRuns.push_back({codePoint, encoded});
    }
    // Every lone high surrogate the same before whatever comes next.
    static const char16_t kAfterHigh[] = {0x0000, 0x0041, 0x4E2D, 0xD800, 0xDBFF, 0xFEFF, 0xFFFF};
    const QByteArray loneHigh = encode({0xD800, 0x0041}).chopped(1);
    tables.encodedLoneHigh = entryFor(loneHigh, 0xD800);
    for (char16_t high = 0xD800; high <= 0xDBFF; ++high) {
        for (char16_t after : kAfterHigh) {
            if (encode({high, after}) != loneHigh + encode({after}))
                fail("U+%04X before U+%04X encodes unlike the other lone high surrogates", high,
                     after);
        }
    }
}

template <typename Values>
void writeValues(QTextStream& out, const Values& values, const char* indent)
{
    int column = 0;
    for (auto value : values) {
        out << (column++ % 12 == 0 ? QString("\n") + indent : QString(" ")) << "0x"
            << QString::number(unsigned(value), 16).toUpper() << ',';
    }
}

template <typename Values>
void writeArray(QTextStream& out, const char* declaration, const Values& values)
{
    out << "const " << declaration << " = {";
    writeValues(out, values, "    ");
    out << "\n};\n\n";
}

template <typename Rows> void writeRows(QTextStream& out, const char* declaration, const Rows& rows)
{
    out << "const " << declaration << " = {\n";
    for (const auto& row : rows) {
        out << "    {";
        writeValues(out, row, "        ");
        out << "\n    },\n";
    }
    out << "};\n\n";
}

QString hex(unsigned value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper();
}

void write(const Tables& tables, QTextStream& out)
{
    out << "// Made by veldor-gbktable from the build machine's GBK converters: do not edit.\n"
           "#include \"data/format/gbktables.h\"\n\n"
           "namespace veldor::gbktables {\n\n";
    writeArray(out, "char16_t kDecodedByte[256]", tables.decodedByte);
    writeRows(out, "char16_t kDecodedPair[kLeads][256]", tables.decodedPair);

    std::vector<std::array<std::uint8_t, 32>> bits(kLeads);
    for (int lead = 0; lead < kLeads; ++lead) {
        for (int next = 0; next < 256; ++next)
            bits[lead][next / 8] |= std::uint8_t(tables.readsOneByte[lead][next] << (next % 8));
    }
    writeRows(out, "std::uint8_t kPairReadsOneByte[kLeads][256 / 8]", bits);
    out << "const bool kLastLeadDecodes = " << (tables.lastLeadDecodes ? "true" : "false")
        << ";\nconst char16_t kDecodedLastLead = " << hex(tables.decodedLastLead) << ";\n\n";

    std::vector<std::array<std::uint16_t, 256>> pages;
    std::map<std::array<std::uint16_t, 256>, int> pageNumbers;
    std::array<std::uint8_t, 256> pageOf{};
    for (int high = 0; high < 256; ++high) {
        std::array<std::uint16_t, 256> page;
        std::copy_n(tables.encoded.begin() + high * 256, 256, page.begin());
        auto [found, added] = pageNumbers.emplace(page, int(pages.size()));
        if (added)
            pages.push_back(page);
        if (found->second > 255)
            fail("more than 256 different pages of code units");
        pageOf[high] = std::uint8_t(found->second);
    }
    writeArray(out, "std::uint8_t kEncodedPageOf[256]", pageOf);
    const QByteArray pagesDeclaration =
        "std::uint16_t kEncodedPage[" + QByteArray::number(int(pages.size())) + "][256]";
    writeRows(out, pagesDeclaration.constData(), pages);
    out << "const CodePointRun kEncodedPairRuns[] = {\n";
    for (const CodePointRun& run : tables.encodedPairRuns)
        out << "    {" << hex(run.first) << ", " << hex(run.encoded) << "},\n";
    out << "};\nconst int kEncodedPairRunCount = " << tables.encodedPairRuns.size()
        << ";\nconst std::uint16_t kEncodedLoneHigh = " << hex(tables.encodedLoneHigh)
        << ";\n\n} // namespace veldor::gbktables\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: veldor-gbktable TARGET.cpp\n");
        return 2;
    }
    if (!decoder().isValid() || !encoder().isValid())
        fail("this Qt has no GBK converter (it needs ICU): build the generator with one that has");
    Tables tables;
    probeBytes(tables);
    probePairs(tables);
    probeUnits(tables);

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QTextStream out(&file);
        write(tables, out);
        out.flush();
        written = out.status() == QTextStream::Ok && file.commit();
    }
    if (!written)
        fail("%s: %s", argv[1], qPrintable(file.errorString()));
    return 0;
}

// GBK through the tables (the Windows build's codec) against Qt's converters (the Linux one's),
// on a list of person names as long as the shipped one. The ratios are what matters.
//
// Targets, in CPU time against the converters run in alternation in the same process: decoding
// and encoding through the tables within 1.0x the converters, so that the Windows build pays
// no more for the names than the Linux build does.
#include "anchors.h"

#include "data/format/gbk.h"
#include "data/format/gbktable.h"

#include <benchmark/benchmark.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>
#include <random>
#include <vector>

namespace {

struct Names
{
    std::vector<QByteArray> bytes;
    std::vector<QString> texts;
};

const Names& names()
{
    static const Names names = [] {
        Names made;
        const QString han = QStringLiteral("张王李赵刘陈杨黄周吴孙马朱胡郭何高林罗郑梁谢宋唐许");
        std::mt19937 random(7);
        for (int i = 0; i < 800; ++i) {
            QString name;
            for (int k = 0, n = 2 + int(random() % 2); k < n; ++k)
                name += han[int(random() % han.size())];
            made.texts.push_back(name);
            made.bytes.push_back(veldor::ToGbkByTable(name));
        }
        return made;
    }();
    return names;
}

// Qt's converters as data/format/gbk.cpp opens them, whichever codec this build's FromGbk uses.
QStringDecoder& converterDecoder()
{
    static QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder;
}

QStringEncoder& converterEncoder()
{
    static QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder;
}

// The converters convert only when their result is taken as a string.
QString decodeByConverter(const QByteArray& bytes)
{
    return converterDecoder().decode(bytes);
}

QByteArray encodeByConverter(const QString& text)
{
    return converterEncoder().encode(text);
}

template <class Decode> void decodeAll(Decode&& decode)
{
    for (const QByteArray& name : names().bytes)
        benchmark::DoNotOptimize(decode(name));
}

template <class Encode> void encodeAll(Encode&& encode)
{
    for (const QString& name : names().texts)
        benchmark::DoNotOptimize(encode(name));
}

void DecodeWithConverter(benchmark::State& state)
{
    for (auto _ : state)
        decodeAll(decodeByConverter);
}
BENCHMARK(DecodeWithConverter);

void DecodeWithTables(benchmark::State& state)
{
    for (auto _ : state)
        decodeAll(veldor::FromGbkByTable);
}
BENCHMARK(DecodeWithTables);

void EncodeWithConverter(benchmark::State& state)
{
    for (auto _ : state)
        encodeAll(encodeByConverter);
}
BENCHMARK(EncodeWithConverter);

void EncodeWithTables(benchmark::State& state)
{
    for (auto _ : state)
        encodeAll(veldor::ToGbkByTable);
}
BENCHMARK(EncodeWithTables);

} // namespace

int main(int argc, char** argv)
{
    const bool quick = veldor::bench::QuickRun(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!converterDecoder().isValid() || !converterEncoder().isValid()) {
        std::printf("this Qt has no GBK converter to compare the tables with\n");
        return 0;
    }
    std::printf("Against Qt's converters, in CPU time, in alternation (median, quartiles):\n");
    const int rounds = quick ? 2 : 30;
    const int repeat = quick ? 1 : 50;
    veldor::bench::PrintRatio("decode 800 names by table", "Qt's converter",
                              veldor::bench::CompareCpu(
                                  rounds, repeat, [] { decodeAll(decodeByConverter); },
                                  [] { decodeAll(veldor::FromGbkByTable); }),
                              1.0);
    veldor::bench::PrintRatio("encode 800 names by table", "Qt's converter",
                              veldor::bench::CompareCpu(
                                  rounds, repeat, [] { encodeAll(encodeByConverter); },
                                  [] { encodeAll(veldor::ToGbkByTable); }),
                              1.0);
    if (quick)
        return 0;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

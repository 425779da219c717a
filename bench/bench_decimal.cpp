// Figures for the decimal type: nanoseconds per operation over a million operations.
#include "decimal.h"
#include "moneywords.h"
#include "packs.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <cstdio>

using mzt::Decimal;

namespace {

constexpr int N = 1'000'000;

template <typename F> void measure(const char* name, F&& f)
{
    QElapsedTimer timer;
    timer.start();
    const qint64 sink = f();
    const qint64 ns = timer.nsecsElapsed();
    std::printf("%-28s %8.1f ns/op   (check %lld)\n", name, double(ns) / N, static_cast<long long>(sink));
}

} // namespace

int main()
{
    QList<Decimal> values;
    QList<QString> texts;
    values.reserve(1024);
    texts.reserve(1024);
    for (int i = 0; i < 1024; ++i) {
        const Decimal d = Decimal::fromMillionths(qint64(i) * 7'919'113 - 3'000'000'000LL);
        values.append(d);
        texts.append(d.toString());
    }

    measure("add", [&] {
        Decimal acc;
        for (int i = 0; i < N; ++i)
            acc += values[i & 1023] - values[(i + 1) & 1023];
        return acc.millionths();
    });
    measure("multiply", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += (values[i & 1023] * values[(i * 7) & 1023]).millionths();
        return acc;
    });
    measure("divide", [&] {
        qint64 acc = 0;
        const Decimal divisor = Decimal::fromMillionths(12'345'678);
        for (int i = 0; i < N; ++i)
            acc += (values[i & 1023] / divisor).millionths();
        return acc;
    });
    measure("parse", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += Decimal::parse(texts[i & 1023])->millionths();
        return acc;
    });
    measure("toString", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += values[i & 1023].toString().size();
        return acc;
    });
    measure("format #,##0.00", [&] {
        qint64 acc = 0;
        const QString picture = QStringLiteral("#,##0.00");
        for (int i = 0; i < N; ++i)
            acc += values[i & 1023].format(picture).size();
        return acc;
    });
    measure("round(2)", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += values[i & 1023].round(2).millionths();
        return acc;
    });
    measure("fromDouble", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += Decimal::fromDouble(double(i) * 0.37 - 1000.0).millionths();
        return acc;
    });
    measure("MoneyToChineseUpper", [&] {
        qint64 acc = 0;
        for (int i = 0; i < N; ++i)
            acc += mzt::MoneyToChineseUpper(values[i & 1023].abs()).size();
        return acc;
    });
    measure("SplitIntoPacks", [&] {
        qint64 acc = 0;
        const QString packing = QStringLiteral("1件*12袋*24包");
        const QString names = QStringLiteral("件袋包");
        for (int i = 0; i < N; ++i)
            acc += mzt::SplitIntoPacks(Decimal(i), packing, names).size();
        return acc;
    });
    return 0;
}

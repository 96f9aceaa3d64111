// Fills a 100,000 x 40 table of mixed types the way the wire decoder does (typed values,
// texts arriving as views into a receive buffer) and walks it; compares the columnar Dataset
// with a row store of std::vector<QVariant> measured in the same run.
#include "dataset.h"

#include <QString>
#include <QVariant>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 40;

FieldType typeOf(int c)
{
    static const FieldType cycle[] = {FieldType::Integer, FieldType::String, FieldType::Float,
                                      FieldType::String,  FieldType::Float,  FieldType::LargeInt,
                                      FieldType::Integer, FieldType::Boolean, FieldType::Date,
                                      FieldType::Float};
    return cycle[c % 10];
}

struct Source
{
    std::vector<std::u16string> texts;  // one per (row, text column)
};

size_t heapInUse()
{
    struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

QStringView textAt(const Source &s, int row, int col)
{
    const std::u16string &t = s.texts[(size_t(row) * kCols + size_t(col)) % s.texts.size()];
    return QStringView(t.data(), qsizetype(t.size()));
}

void fillDataset(Dataset &ds, const Source &src)
{
    QVector<FieldDef> defs;
    for (int c = 0; c < kCols; ++c)
        defs.push_back({QStringLiteral("F%1").arg(c), typeOf(c)});
    ds.BeginLoad(defs, kRows);
    for (int c = 0; c < kCols; ++c) {
        Field &f = ds.Fields(c);
        const FieldType t = typeOf(c);
        for (int r = 0; r < kRows; ++r) {
            switch (t) {
            case FieldType::String: f.appendString(textAt(src, r, c)); break;
            case FieldType::Float: f.appendFloat(r * 1.25 + c); break;
            case FieldType::Date: f.appendFloat(46000 + r % 365); break;
            case FieldType::Boolean: f.appendInt((r + c) % 2); break;
            default: f.appendInt(r + c); break;
            }
        }
    }
    ds.EndLoad();
}

using RowStore = std::vector<std::vector<QVariant>>;

void fillRows(RowStore &rows, const Source &src)
{
    rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        std::vector<QVariant> row;
        row.reserve(kCols);
        for (int c = 0; c < kCols; ++c) {
            switch (typeOf(c)) {
            case FieldType::String: row.emplace_back(textAt(src, r, c).toString()); break;
            case FieldType::Float: row.emplace_back(r * 1.25 + c); break;
            case FieldType::Date: row.emplace_back(double(46000 + r % 365)); break;
            case FieldType::LargeInt: row.emplace_back(qlonglong(r + c)); break;
            case FieldType::Boolean: row.emplace_back((r + c) % 2 == 1); break;
            default: row.emplace_back(r + c); break;
            }
        }
        rows.push_back(std::move(row));
    }
}

double walkDataset(Dataset &ds)
{
    double sum = 0;
    for (int c = 0; c < kCols; ++c) {
        const Field &f = ds.Fields(c);
        if (typeOf(c) == FieldType::String) {
            for (int r = 0; r < kRows; ++r)
                sum += f.stringAt(r).size();
        } else {
            for (int r = 0; r < kRows; ++r)
                sum += f.floatAt(r);
        }
    }
    return sum;
}

double walkRows(const RowStore &rows)
{
    double sum = 0;
    for (int c = 0; c < kCols; ++c) {
        const bool text = typeOf(c) == FieldType::String;
        for (int r = 0; r < kRows; ++r)
            sum += text ? rows[size_t(r)][size_t(c)].toString().size()
                        : rows[size_t(r)][size_t(c)].toDouble();
    }
    return sum;
}

}  // namespace

int main()
{
    Source src;
    const char16_t *words[] = {u"FREN BALATASI ÖN", u"YAĞ FİLTRESİ", u"BUJİ", u"AMORTİSÖR ARKA SAĞ",
                               u"TRIGER SETİ", u"DEBRİYAJ BASKI", u"ŞANZIMAN YAĞI 75W90"};
    for (int i = 0; i < 50000; ++i)
        src.texts.push_back(std::u16string(words[i % 7]) + u" "
                            + std::u16string(reinterpret_cast<const char16_t *>(
                                QString::number(i).utf16())));

    double bestFillDs = 1e9, bestFillRows = 1e9, bestWalkDs = 1e9, bestWalkRows = 1e9;
    size_t memDs = 0, memRows = 0;
    double check = 0;
    for (int round = 0; round < 3; ++round) {
        {
            const size_t before = heapInUse();
            auto t0 = std::chrono::steady_clock::now();
            Dataset ds;
            fillDataset(ds, src);
            auto t1 = std::chrono::steady_clock::now();
            memDs = heapInUse() - before;
            check += walkDataset(ds);
            auto t2 = std::chrono::steady_clock::now();
            bestFillDs = std::min(bestFillDs, seconds(t1 - t0));
            bestWalkDs = std::min(bestWalkDs, seconds(t2 - t1));
        }
        {
            const size_t before = heapInUse();
            auto t0 = std::chrono::steady_clock::now();
            RowStore rows;
            fillRows(rows, src);
            auto t1 = std::chrono::steady_clock::now();
            memRows = heapInUse() - before;
            check -= walkRows(rows);
            auto t2 = std::chrono::steady_clock::now();
            bestFillRows = std::min(bestFillRows, seconds(t1 - t0));
            bestWalkRows = std::min(bestWalkRows, seconds(t2 - t1));
        }
    }
    const double cells = double(kRows) * kCols;
    std::printf("table %d rows x %d columns (mixed types), best of 3\n", kRows, kCols);
    std::printf("%-22s %12s %12s %14s\n", "store", "fill rows/s", "walk rows/s", "bytes/cell");
    std::printf("%-22s %12.0f %12.0f %14.1f\n", "Dataset (columnar)", kRows / bestFillDs,
                kRows / bestWalkDs, memDs / cells);
    std::printf("%-22s %12.0f %12.0f %14.1f\n", "vector<QVariant> rows", kRows / bestFillRows,
                kRows / bestWalkRows, memRows / cells);
    std::printf("fill speed ratio %.2fx (target >= 3x), memory ratio %.2f (target <= 0.5)\n",
                bestFillRows / bestFillDs, double(memDs) / double(memRows));
    std::printf("walk speed ratio %.2fx; checksum difference %.1f\n", bestWalkRows / bestWalkDs,
                check);
    return 0;
}

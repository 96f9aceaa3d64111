// The list grid on a 100,000 x 40 dataset: attach, scroll to the end, header filter, footers,
// best fit and export, with the filter and the best fit of Qt's plain classes measured in
// the same run for comparison. Prints milliseconds (median of several runs) and ratios.

#include "datagrid.h"
#include "datasetmodel.h"
#include "gridproxymodel.h"
#include "numberformat.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int kRows = 100000;

void fill(Dataset &ds)
{
    QVector<FieldDef> defs;
    defs.append({QStringLiteral("STOKNO"), FieldType::Integer});
    for (int i = 0; i < 18; ++i)
        defs.append({QStringLiteral("TEXT%1").arg(i), FieldType::String, 40});
    defs.append({QStringLiteral("MARKA"), FieldType::String, 30});
    for (int i = 0; i < 10; ++i)
        defs.append({QStringLiteral("AMOUNT%1").arg(i), FieldType::Float});
    for (int i = 0; i < 5; ++i)
        defs.append({QStringLiteral("INT%1").arg(i), FieldType::Integer});
    for (int i = 0; i < 2; ++i)
        defs.append({QStringLiteral("DATE%1").arg(i), FieldType::Date});
    for (int i = 0; i < 3; ++i)
        defs.append({QStringLiteral("NOTE%1").arg(i), FieldType::String, 120});
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> amount(0, 25000);
    std::uniform_int_distribution<int> small(0, 500);
    static const char *words[] = {"FREN", "BALATA", "DİSK", "AMORTİSÖR", "FİLTRE", "YAĞ",
                                  "BUJİ", "KAYIŞ", "RULMAN", "POMPA", "CONTA", "SENSÖR"};
    ds.BeginLoad(defs, kRows);
    QString text;
    for (int r = 0; r < kRows; ++r) {
        int f = 0;
        ds.Fields(f++).appendInt(r + 1);
        for (int i = 0; i < 18; ++i) {
            text = QString::fromUtf8(words[(r + i) % 12]) + u' '
                + QString::fromUtf8(words[(r * 7 + i) % 12]) + u'-'
                + QString::number(r % 977 + i);
            ds.Fields(f++).appendString(text);
        }
        ds.Fields(f++).appendString(QStringLiteral("MARKA %1").arg(r % 50));
        for (int i = 0; i < 10; ++i)
            ds.Fields(f++).appendFloat(std::round(amount(rng) * 100) / 100);
        for (int i = 0; i < 5; ++i)
            ds.Fields(f++).appendInt(small(rng));
        for (int i = 0; i < 2; ++i)
            ds.Fields(f++).appendFloat(45000 + r % 700);
        for (int i = 0; i < 3; ++i)
            ds.Fields(f++).appendString(
                QStringLiteral("Not %1 ").arg(r).repeated(1 + (r + i) % 4));
    }
    ds.EndLoad();
    for (int i = 0; i < ds.FieldCount(); ++i)
        if (ds.Fields(i).DataType() == FieldType::Float)
            ds.Fields(i).SetDisplayFormat(kAmountFormat);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs `prepare` untimed, then `work` timed, `runs` times; the median in milliseconds.
double measure(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void report(const char *what, double ms, double target = 200)
{
    std::printf("%-44s %9.1f ms  %s\n", what, ms,
                target <= 0 ? "" : ms <= target ? "(under 200 ms)" : "(OVER 200 ms)");
}

// The plain way: a QSortFilterProxyModel asking the model for each cell's display text.
class ValueFilterProxy : public QSortFilterProxyModel
{
public:
    QSet<QString> values;
    int column = 0;
    // The proxy maps lazily: asking for the row count makes it filter now.
    int apply()
    {
        invalidateFilter();
        return rowCount();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        return values.contains(
            sourceModel()->index(row, column, parent).data(Qt::DisplayRole).toString());
    }
};

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    QElapsedTimer loadTimer;
    loadTimer.start();
    Dataset ds;
    fill(ds);
    std::printf("dataset %d rows x %d fields filled in %.0f ms\n\n", ds.RecordCount(),
                ds.FieldCount(), loadTimer.nsecsElapsed() / 1e6);

    DataGrid grid;
    for (int i = 0; i < ds.FieldCount(); ++i)
        grid.addColumn(ds.Fields(i).FieldName(), QString()).setWidth(90);
    grid.setFilterButtonsVisible(true);
    grid.addSummary(SummaryKind::Count, QStringLiteral("STOKNO"));
    grid.addSummary(SummaryKind::Sum, QStringLiteral("AMOUNT0"));
    grid.addSummary(SummaryKind::Sum, QStringLiteral("AMOUNT1"));
    grid.addSummary(SummaryKind::Average, QStringLiteral("INT0"));
    grid.resize(1600, 900);
    grid.show();
    app.processEvents();

    const int runs = 5;
    const double attach = measure(runs, [&] { grid.setDataset(nullptr); app.processEvents(); },
                                  [&] {
                                      grid.setDataset(&ds);
                                      grid.repaint();
                                  });
    report("attach and first paint", attach);

    const double scroll = measure(runs, [&] { grid.view()->scrollToTop(); app.processEvents(); },
                                  [&] {
                                      grid.view()->scrollToBottom();
                                      grid.repaint();
                                  });
    report("scroll to the end and paint", scroll);

    const QStringList brands = {"MARKA 3", "MARKA 17", "MARKA 41"};
    const double filter = measure(runs, [&] { grid.clearFilter(); }, [&] {
        grid.setColumnFilter(QStringLiteral("MARKA"), brands);
    });
    report("header filter, text column (3 of 50 values)", filter);
    std::printf("   rows passing: %d\n", grid.recordCount());

    const QStringList amounts = grid.distinctValues(QStringLiteral("AMOUNT2")).mid(0, 2000);
    const double filterNum = measure(runs, [&] { grid.clearFilter(); }, [&] {
        grid.setColumnFilter(QStringLiteral("AMOUNT2"), amounts);
    });
    report("header filter, amount column (2000 values)", filterNum);

    DatasetModel plainModel(&ds);
    ValueFilterProxy plain;
    plain.column = ds.FieldIndex(QStringLiteral("MARKA"));
    plain.values = QSet<QString>(brands.begin(), brands.end());
    plain.setSourceModel(&plainModel);
    const double plainFilter = measure(runs, [&] { plain.values.insert(QString()); },
                                       [&] { plain.apply(); });
    report("  reference: QSortFilterProxyModel, text", plainFilter, 0);
    plain.column = ds.FieldIndex(QStringLiteral("AMOUNT2"));
    plain.values = QSet<QString>(amounts.begin(), amounts.end());
    const double plainFilterNum = measure(runs, [] {}, [&] { plain.apply(); });
    report("  reference: QSortFilterProxyModel, amount", plainFilterNum, 0);
    std::printf("   ratio (reference / grid): text %.1fx, amount %.1fx\n",
                plainFilter / filter, plainFilterNum / filterNum);

    grid.clearFilter();
    QVector<GridSummary> sums = grid.proxyModel()->summaries();
    const double footers = measure(runs, [] {}, [&] { grid.proxyModel()->setSummaries(sums); });
    report("footers (count, 2 sums, average; 100,000)", footers);
    std::printf("   %s / %s\n", qPrintable(grid.footerText(QStringLiteral("STOKNO"))),
                qPrintable(grid.footerText(QStringLiteral("AMOUNT0"))));

    const double bestFit = measure(3, [] {}, [&] { grid.bestFit(); });
    report("best fit, 40 columns over all rows", bestFit);

    QTableView plainView;
    plainView.setModel(&plainModel);
    plainView.resize(1600, 900);
    plainView.horizontalHeader()->setResizeContentsPrecision(-1);  // all rows, as ours
    const int refColumns = 4;
    const double plainFitAll = measure(1, [] {}, [&] {
        for (int c = 0; c < refColumns; ++c)
            plainView.resizeColumnToContents(c);
    });
    std::printf("%-44s %9.1f ms  (%d columns measured, x10 for 40)\n",
                "  reference: resizeColumnToContents, all rows", plainFitAll, refColumns);
    plainView.horizontalHeader()->setResizeContentsPrecision(1000);  // Qt's default sample
    const double plainFitSample = measure(3, [] {}, [&] { plainView.resizeColumnsToContents(); });
    report("  reference: resizeColumnsToContents, 1000 rows", plainFitSample, 0);
    std::printf("   ratio (reference all rows / grid): %.1fx\n",
                plainFitAll * (40.0 / refColumns) / bestFit);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.xlsx"));
    const double exportMs = measure(1, [] {}, [&] { grid.exportToXlsx(path); });
    report("export to .xlsx (40 columns, 100,000 rows)", exportMs, 0);
    std::printf("   file size %.1f MB\n", QFileInfo(path).size() / 1048576.0);
    return 0;
}

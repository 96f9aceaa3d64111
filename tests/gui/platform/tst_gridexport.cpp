#include "basketgrid.h"
#include "datagrid.h"
#include "dataset.h"
#include "excelsaver.h"
#include "gridxlsxexporter.h"
#include "hookrecorder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Reads the first sheet back with xlsx2csv, one list of cells per row.
QList<QStringList> readBack(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("xlsx2csv"), {QStringLiteral("-i"), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning() << "xlsx2csv:" << p.readAllStandardError();
    QList<QStringList> rows;
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList cells;
        QString cell;
        bool quoted = false;
        for (int i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (quoted) {
                if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"')
                    cell += c, ++i;
                else if (c == u'"')
                    quoted = false;
                else
                    cell += c;
            } else if (c == u'"') {
                quoted = true;
            } else if (c == u',') {
                cells << cell;
                cell.clear();
            } else if (c != u'\r') {
                cell += c;
            }
        }
        cells << cell;
        rows << cells;
    }
    return rows;
}

}  // namespace

class TestGridExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportReadBack();
    void exportGroupedWritesEveryRecord();
    void exportFailureLeavesOldFile();
    void numberFormats_data();
    void numberFormats();
    void excelSaverFlow_data();
    void excelSaverFlow();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DataGrid> m_grid;
    std::unique_ptr<Dataset> m_basket;
};

void TestGridExport::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("xlsx2csv")).isEmpty())
        QSKIP("xlsx2csv is not installed (scripts/setup installs it)");
}

void TestGridExport::init()
{
    m_grid = std::make_unique<DataGrid>();
    declareBasketGrid(*m_grid);
    m_basket = std::make_unique<Dataset>();
    fillBasket(*m_basket);
    m_grid->setDataset(m_basket.get());
}

void TestGridExport::cleanup()
{
    ExcelSaver::setChooser({});
    m_grid.reset();
    m_basket.reset();
}

void TestGridExport::exportReadBack()
{
    m_grid->setColumnFilter("MARKA", {"BOSCH", "NGK"});
    m_grid->setFocusedRecord(2);  // selection plays no part: every filtered row goes out
    const QString path = m_dir.filePath("sepet.xlsx");
    m_grid->exportToXlsx(path);
    const QList<QStringList> rows = readBack(path);
    QCOMPARE(rows.size(), 1 + 4 + 1);  // captions, four lines, footer
    QCOMPARE(rows.at(0),
             QStringList({"Seç", "Sipariş Tarihi", "Barkod", "FinishKod", "OEMNo",
                          "Stok Açıklama", "Miktar", "Birim Fiyat", "Tutar", "İndirim Oran",
                          "Net Fiyat", "KDV", "Vergi Tutarı", "Net Tutar", "Veren", "Durum"}));
    const QStringList line = rows.at(2);  // AMORTİSÖR ARKA
    QCOMPARE(line.at(0), QStringLiteral("1"));
    QCOMPARE(line.at(1), QStringLiteral("02.03.2024"));  // a date, in the short date format
    QCOMPARE(line.at(2), QStringLiteral("AM-310"));
    QCOMPARE(line.at(5), QStringLiteral("AMORTİSÖR ARKA"));
    QCOMPARE(line.at(7), QStringLiteral("1250"));  // numbers stay numbers
    QCOMPARE(line.at(13), QStringLiteral("1125"));
    QCOMPARE(line.at(15), QStringLiteral("Yok"));     // a picture exports its meaning
    QCOMPARE(rows.at(4).at(2), QStringLiteral("FR-200"));
    const QStringList footer = rows.at(5);
    QCOMPARE(footer.at(1), QStringLiteral("4"));
    QCOMPARE(footer.at(6), QStringLiteral("9"));
    QCOMPARE(footer.at(13), QStringLiteral("3195.86"));

    // The amount format and the date format travel with the cells.
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, "xl/styles.xml"});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        QSKIP("unzip is not installed (scripts/setup installs it)");
    const QByteArray styles = unzip.readAllStandardOutput();
    QVERIFY(styles.contains("formatCode=\"#,##0.00\""));
    QVERIFY(styles.contains("formatCode=\"d.mm.yyyy\""));
}

void TestGridExport::exportGroupedWritesEveryRecord()
{
    m_grid->setGroupColumn("MARKA");
    m_grid->collapseAll();
    QCOMPARE(m_grid->rowCount(), 3);
    const QString path = m_dir.filePath("gruplu.xlsx");
    m_grid->exportToXlsx(path);
    const QList<QStringList> rows = readBack(path);
    QCOMPARE(rows.size(), 1 + 3 + 5 + 1);
    QCOMPARE(rows.at(1).at(0), QStringLiteral("Marka : BOSCH"));
    QCOMPARE(rows.at(2).at(2), QStringLiteral("FR-100"));
    QCOMPARE(rows.at(5).at(0), QStringLiteral("Marka : MANN"));
    QCOMPARE(rows.at(8).at(2), QStringLiteral("BJ-001"));
}

void TestGridExport::exportFailureLeavesOldFile()
{
    const QString path = m_dir.filePath("eski.xlsx");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski içerik");
    }
    const QString missingDir = m_dir.filePath("yok/sepet.xlsx");
    try {
        m_grid->exportToXlsx(missingDir);
        QFAIL("export into a missing folder must fail");
    } catch (const std::runtime_error &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(missingDir));
    }
    QVERIFY(!QFile::exists(missingDir));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("eski içerik"));
}

void TestGridExport::numberFormats_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("excel");
    QTest::newRow("amount") << "#,###,##0.00" << "#,##0.00";
    QTest::newRow("plain decimals") << "0.000" << "0.000";
    QTest::newRow("whole with grouping") << "#,##0" << "#,##0";
    QTest::newRow("text around") << "\"TL \"#,###,##0.00" << "\"TL \"#,##0.00";
    QTest::newRow("none") << "" << "";
}

void TestGridExport::numberFormats()
{
    QFETCH(QString, display);
    QFETCH(QString, excel);
    QCOMPARE(GridXlsxExporter::excelNumberFormat(display), excel);
}

void TestGridExport::excelSaverFlow_data()
{
    QTest::addColumn<QString>("chosen");  // relative to the temporary folder; "" cancels
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("reported");

    QTest::newRow("cancel") << "" << "" << false;
    QTest::newRow("name without suffix") << "liste" << "liste.xlsx" << false;
    QTest::newRow("old suffix") << "liste.xls" << "liste.xlsx" << false;
    QTest::newRow("xlsx kept") << "liste.xlsx" << "liste.xlsx" << false;
    QTest::newRow("unwritable") << "yok/liste.xlsx" << "" << true;
}

void TestGridExport::excelSaverFlow()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, reported);
    HookRecorder hooks;
    QTemporaryDir dir;
    QString filter;
    ExcelSaver::setChooser([&](QWidget *, const QString &f) {
        filter = f;
        return chosen.isEmpty() ? QString() : dir.filePath(chosen);
    });
    const bool saved = ExcelSaver::save(*m_grid, nullptr);
    QCOMPARE(filter, QStringLiteral("Excel (*.xls*)"));
    QCOMPARE(saved, !written.isEmpty());
    if (!written.isEmpty())
        QCOMPARE(readBack(dir.filePath(written)).size(), 1 + 5 + 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), written.isEmpty() ? 0 : 1);
    QCOMPARE(hooks.messages().size(), reported ? 1 : 0);
    if (reported)
        QCOMPARE(hooks.messages().at(0).kind, MessageRequest::Kind::ErrorReport);
}

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"

#include "gridxlsxexporter.h"

#include "dataset.h"
#include "gridcolumn.h"
#include "gridproxymodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kMaxCellText = 32767;  // the format's limit for one cell

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw std::runtime_error(
        QStringLiteral("Excel dosyası yazılamadı: %1\n%2").arg(path, reason).toStdString());
}

void check(lxw_error error, const QString &path)
{
    if (error != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(error)));
}

// Formats are shared by text: one lxw_format per distinct number format.
class Formats
{
public:
    explicit Formats(lxw_workbook *book) : m_book(book) {}

    lxw_format *number(const QString &format, bool bold = false)
    {
        const QString key = format + (bold ? QStringLiteral("|b") : QString());
        auto it = m_cache.constFind(key);
        if (it != m_cache.constEnd())
            return *it;
        lxw_format *f = workbook_add_format(m_book);
        if (!format.isEmpty())
            format_set_num_format(f, format.toUtf8().constData());
        if (bold)
            format_set_bold(f);
        m_cache.insert(key, f);
        return f;
    }

private:
    lxw_workbook *m_book;
    QHash<QString, lxw_format *> m_cache;
};

QString excelDateFormat(bool withTime)
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat).toLower();
    if (!f.contains(QStringLiteral("yyyy")))
        f.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return withTime ? f + QStringLiteral(" hh:mm:ss") : f;
}

}  // namespace

QString GridXlsxExporter::excelNumberFormat(const QString &displayFormat)
{
    if (displayFormat.isEmpty())
        return QString();
    QStringList sections;
    for (const QString &section : displayFormat.split(u';')) {
        // Grouping anywhere in the integer part means thousands separators; keep the count
        // of mandatory digits and the decimals as written.
        const int first = section.indexOf(QRegularExpression(QStringLiteral("[#0,.]")));
        if (first < 0) {
            sections << section;
            continue;
        }
        int last = first;
        while (last < section.size() && QStringLiteral("#0,.").contains(section.at(last)))
            ++last;
        const QString picture = section.mid(first, last - first);
        const int point = picture.indexOf(u'.');
        const QString intPart = point < 0 ? picture : picture.left(point);
        const QString decPart = point < 0 ? QString() : picture.mid(point);
        QString out;
        if (intPart.contains(u',')) {
            const int zeros = std::min<int>(4, std::max<int>(1, intPart.count(u'0')));
            out = QStringLiteral("#,###").left(5 - zeros) + QString(zeros, u'0');
            if (zeros == 4)
                out = QStringLiteral("0,000");
        } else {
            out = intPart.isEmpty() ? QStringLiteral("0") : intPart;
        }
        sections << section.left(first) + out + decPart + section.mid(last);
    }
    return sections.join(u';');
}

void GridXlsxExporter::write(const GridProxyModel &model, const QVector<GridColumn *> &columns,
                             const std::vector<ColumnOut> &shown, const QString &path)
{
    if (path.isEmpty())
        fail(path, QStringLiteral("Dosya adı boş."));
    QTemporaryDir temp;
    if (!temp.isValid())
        fail(path, temp.errorString());
    const QString workFile = temp.filePath(QStringLiteral("export.xlsx"));
    const QByteArray tempDir = QFile::encodeName(temp.path());

    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;  // rows go straight to disk: 100,000 rows fit
    options.tmpdir = const_cast<char *>(tempDir.constData());
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(workFile).constData(), &options);
    if (!book)
        fail(path, QStringLiteral("Çalışma kitabı oluşturulamadı."));
    // Frees the workbook when a write fails before it is closed.
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook *)> guard(book, lxw_workbook_free);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sayfa1");
    Formats formats(book);
    lxw_format *bold = formats.number(QString(), true);
    const Dataset *ds = model.dataset();

    struct Out
    {
        const GridColumn *column;
        const Field *field;
        lxw_format *format;
        enum class As { Empty, Number, Date, Boolean, Text } as;
    };
    std::vector<Out> outs;
    for (size_t i = 0; i < shown.size(); ++i) {
        const GridColumn *col = columns.at(shown[i].column);
        const Field *f = model.fieldOf(shown[i].column);
        Out o{col, f, nullptr, Out::As::Empty};
        if (f) {
            switch (f->DataType()) {
            case FieldType::Integer:
            case FieldType::LargeInt:
            case FieldType::Float:
            case FieldType::Currency:
                o.as = Out::As::Number;
                o.format = formats.number(excelNumberFormat(f->DisplayFormat()));
                break;
            case FieldType::Date:
            case FieldType::DateTime:
                o.as = Out::As::Date;
                o.format = formats.number(excelDateFormat(f->DataType() == FieldType::DateTime));
                break;
            case FieldType::Boolean: o.as = Out::As::Boolean; break;
            case FieldType::String:
            case FieldType::Memo:
            case FieldType::Blob: o.as = Out::As::Text; break;
            }
            // A picture column exports what its picture stands for.
            if (col->kind() == ColumnKind::ImageByValue)
                o.as = Out::As::Text;
        }
        outs.push_back(o);
        const double chars = std::clamp(shown[i].pixelWidth / 7.0, 2.0, 120.0);
        worksheet_set_column(sheet, lxw_col_t(i), lxw_col_t(i), chars, nullptr);
    }

    lxw_row_t row = 0;
    for (size_t i = 0; i < outs.size(); ++i)
        check(worksheet_write_string(sheet, row, lxw_col_t(i),
                                     outs[i].column->displayCaption().toUtf8().constData(), bold),
              path);
    ++row;

    auto writeRecord = [&](int record) {
        for (size_t i = 0; i < outs.size(); ++i) {
            const Out &o = outs[i];
            if (o.as == Out::As::Empty || o.field->isNullAt(record))
                continue;
            const lxw_col_t c = lxw_col_t(i);
            lxw_error e = LXW_NO_ERROR;
            switch (o.as) {
            case Out::As::Number:
            case Out::As::Date:
                e = worksheet_write_number(sheet, row, c, o.field->floatAt(record), o.format);
                break;
            case Out::As::Boolean:
                e = worksheet_write_boolean(sheet, row, c, o.field->intAt(record) != 0, nullptr);
                break;
            case Out::As::Text: {
                const QString text = o.column->textAt(*o.field, record).left(kMaxCellText);
                e = worksheet_write_string(sheet, row, c, text.toUtf8().constData(), nullptr);
                break;
            }
            case Out::As::Empty: break;
            }
            check(e, path);
        }
        ++row;
    };

    if (ds) {
        if (model.groupColumn() >= 0) {
            // Every group expanded, whatever the grid shows collapsed.
            const int n = model.recordCount();
            QString lastGroup;
            const GridColumn *gc = columns.at(model.groupColumn());
            const Field *gf = model.fieldOf(model.groupColumn());
            for (int i = 0; i < n; ++i) {
                const int record = model.recordAtIndex(i);
                const QString group = gf ? gc->textAt(*gf, record) : QString();
                if (i == 0 || group != lastGroup) {
                    const QString text = gc->displayCaption() + QStringLiteral(" : ") + group;
                    check(worksheet_write_string(sheet, row, 0, text.toUtf8().constData(), bold),
                          path);
                    ++row;
                    lastGroup = group;
                }
                writeRecord(record);
            }
        } else {
            const int n = model.recordCount();
            for (int i = 0; i < n; ++i)
                writeRecord(model.recordAtIndex(i));
        }
    }

    // Footer summaries under their columns.
    bool footer = false;
    for (size_t i = 0; i < outs.size() && !footer; ++i)
        footer = !model.footerText(shown[i].column).isEmpty();
    if (footer) {
        const QVector<GridSummary> &summaries = model.summaries();
        for (size_t i = 0; i < outs.size(); ++i) {
            for (int s = 0; s < summaries.size(); ++s) {
                if (summaries[s].columnName().compare(outs[i].column->fieldName(),
                                                      Qt::CaseInsensitive) != 0)
                    continue;
                const Field *f = ds ? ds->FindField(summaries[s].fieldName()) : nullptr;
                QString format = summaries[s].kind() == SummaryKind::Count ? QStringLiteral("0")
                    : excelNumberFormat(!summaries[s].format().isEmpty() ? summaries[s].format()
                                        : f ? f->DisplayFormat() : QString());
                check(worksheet_write_number(sheet, row, lxw_col_t(i), model.summaryValue(s),
                                             formats.number(format, true)),
                      path);
                break;
            }
        }
    }

    const lxw_error closed = workbook_close(guard.release());  // frees the workbook
    check(closed, path);

    QFile produced(workFile);
    if (!produced.open(QIODevice::ReadOnly))
        fail(path, produced.errorString());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        fail(path, out.errorString());
    while (!produced.atEnd()) {
        const QByteArray block = produced.read(1 << 20);
        if (out.write(block) != block.size())
            fail(path, out.errorString());
    }
    if (!out.commit())
        fail(path, out.errorString());
}

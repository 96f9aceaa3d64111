#include "columnfitter.h"

#include "dataset.h"
#include "griddelegate.h"
#include "gridcolumn.h"
#include "gridproxymodel.h"

#include <QApplication>
#include <QHash>
#include <QSet>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Advance widths of single characters, cached for the first 0x3000 code points.
class CharWidths
{
public:
    explicit CharWidths(const QFontMetrics &fm) : m_fm(fm), m_cache(0x3000, -1) {}

    int estimate(QStringView text)
    {
        int width = 0;
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u < m_cache.size()) {
                int &w = m_cache[u];
                if (w < 0)
                    w = m_fm.horizontalAdvance(c);
                width += w;
            } else {
                width += m_fm.horizontalAdvance(c);
            }
        }
        return width;
    }

private:
    const QFontMetrics &m_fm;
    std::vector<int> m_cache;
};

int widestLine(const QFontMetrics &fm, const QString &text)
{
    if (!text.contains(u'\n'))
        return fm.horizontalAdvance(text);
    int w = 0;
    for (QStringView line : QStringView(text).split(u'\n'))
        w = std::max(w, fm.horizontalAdvance(line.toString()));
    return w;
}

// Texts: estimate every cell from character widths, then measure exactly only the texts
// whose estimate comes near the widest (shaping and kerning move widths by a few percent).
int widestText(const GridColumn &col, const Field &field, const GridProxyModel &model,
               const QFontMetrics &fm)
{
    CharWidths chars(fm);
    const int n = model.recordCount();
    int bestEstimate = 0;
    std::vector<std::pair<int, int>> candidates;  // (estimate, record)
    for (int i = 0; i < n; ++i) {
        const int record = model.recordAtIndex(i);
        if (field.isNullAt(record))
            continue;
        const QString text = field.stringAt(record);
        int est = 0;
        if (text.contains(u'\n')) {
            for (QStringView line : QStringView(text).split(u'\n'))
                est = std::max(est, chars.estimate(line));
        } else {
            est = chars.estimate(text);
        }
        if (est * 10 >= bestEstimate * 9) {
            candidates.emplace_back(est, record);
            if (est > bestEstimate) {
                bestEstimate = est;
                // Drop what can no longer come near, so the list stays short.
                if (candidates.size() > 64) {
                    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                                    [&](const auto &c) {
                                                        return c.first * 10 < bestEstimate * 9;
                                                    }),
                                     candidates.end());
                }
            }
        }
    }
    // Widest estimates first; texts this close to each other differ by a few pixels, so a
    // column of thousands of look-alike codes needs only its first few hundred measured.
    std::sort(candidates.begin(), candidates.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    QSet<QString> measured;
    int widest = 0;
    for (const auto &c : candidates) {
        if (c.first * 10 < bestEstimate * 9 || widest >= ColumnFitter::kMaxWidth
            || measured.size() >= 512)
            break;
        const QString text = col.textAt(field, c.second);
        if (measured.contains(text))
            continue;
        measured.insert(text);
        widest = std::max(widest, widestLine(fm, text));
    }
    return widest;
}

// Numbers: with one format the longest text belongs to the largest or the most negative
// value; figures have equal widths in text fonts, so those two texts decide.
int widestNumber(const GridColumn &col, const Field &field, const GridProxyModel &model,
                 const QFontMetrics &fm)
{
    const int n = model.recordCount();
    int maxRec = -1;
    int minRec = -1;
    double maxV = 0;
    double minV = 0;
    for (int i = 0; i < n; ++i) {
        const int record = model.recordAtIndex(i);
        if (field.isNullAt(record))
            continue;
        const double v = field.floatAt(record);
        if (maxRec < 0 || std::fabs(v) > maxV) {
            maxV = std::fabs(v);
            maxRec = record;
        }
        if (minRec < 0 || v < minV) {
            minV = v;
            minRec = record;
        }
    }
    int widest = 0;
    for (int record : {maxRec, minRec})
        if (record >= 0)
            widest = std::max(widest, fm.horizontalAdvance(col.textAt(field, record)));
    return widest;
}

// Dates, flags and pictures with descriptions: few distinct values, each measured once.
int widestDistinct(const GridColumn &col, const Field &field, const GridProxyModel &model,
                   const QFontMetrics &fm)
{
    const int n = model.recordCount();
    QSet<quint64> seen;
    int widest = 0;
    for (int i = 0; i < n; ++i) {
        const int record = model.recordAtIndex(i);
        const double d = field.isNullAt(record) ? std::nan("") : field.floatAt(record);
        quint64 key = 0;
        std::memcpy(&key, &d, sizeof key);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        widest = std::max(widest, fm.horizontalAdvance(col.textAt(field, record)));
        if (seen.size() > 4096)
            break;  // a date or time format gives texts of one width; enough seen
    }
    return widest;
}

}  // namespace

std::vector<int> ColumnFitter::weightedWidths(const std::vector<int> &weights,
                                              const std::vector<bool> &visible, int gridWidth)
{
    std::vector<int> widths(weights.size(), -1);
    int sum = 0;
    for (size_t i = 0; i < weights.size(); ++i)
        if (visible[i] && weights[i] > 0)
            sum += weights[i];
    if (sum <= 0)
        return widths;
    const int unit = (gridWidth - 30) / sum;
    if (unit <= 0)
        return widths;
    for (size_t i = 0; i < weights.size(); ++i)
        if (visible[i] && weights[i] > 0)
            widths[i] = weights[i] * unit;
    return widths;
}

int ColumnFitter::bestFitWidth(const GridColumn &col, const GridProxyModel &model, int column,
                               const QFontMetrics &fm, int headerWidth)
{
    const int margins = 2 * GridDelegate::kTextMargin + 2;
    int content = 0;
    const Field *field = model.fieldOf(column);
    switch (col.kind()) {
    case ColumnKind::Custom: return -1;
    case ColumnKind::CheckBox:
        content = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
        break;
    case ColumnKind::ImageByValue: {
        int picture = 0;
        for (const GridImageItem &item : col.images())
            picture = std::max(picture, int(item.picture.deviceIndependentSize().width()));
        content = picture;
        if (col.showsImageDescription() && field)
            content += GridDelegate::kTextMargin + widestDistinct(col, *field, model, fm);
        break;
    }
    case ColumnKind::Text:
    case ColumnKind::Memo:
        if (!field)
            break;
        switch (field->DataType()) {
        case FieldType::String:
        case FieldType::Memo:
        case FieldType::Blob: content = widestText(col, *field, model, fm); break;
        case FieldType::Integer:
        case FieldType::LargeInt:
        case FieldType::Float:
        case FieldType::Currency: content = widestNumber(col, *field, model, fm); break;
        case FieldType::Boolean:
        case FieldType::Date:
        case FieldType::DateTime: content = widestDistinct(col, *field, model, fm); break;
        }
        break;
    }
    return std::min(kMaxWidth, std::max(content + margins, headerWidth));
}

#include "tabcaption.h"

TabCaption TabCaption::parse(const QString &caption)
{
    TabCaption result;
    const int eq = caption.indexOf(u'=');
    if (eq < 0) {
        result.title = caption;
        return result;
    }
    result.title = caption.mid(eq + 1, 100);
    bool ok = false;
    const int count = caption.left(eq).trimmed().toInt(&ok);
    result.count = ok ? count : 0;
    return result;
}

QString TabCaption::badge() const
{
    return count > 0 ? QStringLiteral("(%1)").arg(count) : QString();
}

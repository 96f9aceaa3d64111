#include "amountedit.h"

#include "numberformat.h"

#include <QFocusEvent>
#include <QLocale>
#include <QRegularExpressionValidator>

AmountEdit::AmountEdit(QWidget *parent) : QLineEdit(parent), m_format(kAmountFormat)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QLocale locale;
    const QString pattern = QStringLiteral("-?[0-9%1%2]*")
                                .arg(QRegularExpression::escape(locale.groupSeparator()),
                                     QRegularExpression::escape(locale.decimalPoint()));
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    connect(this, &QLineEdit::editingFinished, this, &AmountEdit::commit);
    showValue();
}

bool AmountEdit::parse(const QString &text, double *value)
{
    const QLocale locale;
    QString plain = text.trimmed();
    plain.remove(locale.groupSeparator());
    if (plain.isEmpty() || plain == QLatin1String("-")) {
        *value = 0;
        return true;
    }
    bool ok = false;
    const double v = locale.toDouble(plain, &ok);
    if (ok)
        *value = v;
    return ok;
}

void AmountEdit::setValue(double value)
{
    if (m_maximum != 0 && value > m_maximum)
        value = m_maximum;
    const bool changed = value != m_value;
    m_value = value;
    showValue();
    if (changed)
        emit valueChanged(m_value);
}

void AmountEdit::setDisplayFormat(const QString &format)
{
    m_format = format.isEmpty() ? kAmountFormat : format;
    showValue();
}

void AmountEdit::setMaximum(double maximum)
{
    m_maximum = maximum;
    if (m_maximum != 0 && m_value > m_maximum)
        setValue(m_maximum);
}

void AmountEdit::showValue()
{
    setText(FormatFloat(m_format, m_value));
}

void AmountEdit::commit()
{
    if (isReadOnly())
        return;
    double v = m_value;
    if (!parse(text(), &v))
        v = m_value;
    setValue(v);
    showValue();
}

void AmountEdit::focusOutEvent(QFocusEvent *event)
{
    commit();
    QLineEdit::focusOutEvent(event);
}

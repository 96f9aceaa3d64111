#pragma once

#include <QLineEdit>

// An edit for amounts: shows its value in the display format ("#,###,##0.00" unless set)
// also while the user edits; what is typed is read back on Enter or leaving the field,
// with or without thousands separators. A maximum, when set, caps the value.
class AmountEdit final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AmountEdit)

public:
    explicit AmountEdit(QWidget *parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    QString displayFormat() const { return m_format; }
    void setDisplayFormat(const QString &format);
    void setMaximum(double maximum);  // a maximum of 0 means none
    double maximum() const { return m_maximum; }

    // Reads an amount as typed in the user's locale; false when it is not a number.
    static bool parse(const QString &text, double *value);

signals:
    void valueChanged(double value);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void commit();
    void showValue();

    double m_value = 0;
    double m_maximum = 0;
    QString m_format;
};

#pragma once

#include <QSpinBox>

// A whole-number spin edit with a range, right-aligned, without thousands separators.
class SpinEdit final : public QSpinBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpinEdit)

public:
    explicit SpinEdit(QWidget *parent = nullptr);
    SpinEdit(int minimum, int maximum, QWidget *parent = nullptr);
};

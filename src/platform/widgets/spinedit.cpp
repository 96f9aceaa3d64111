#include "spinedit.h"

SpinEdit::SpinEdit(QWidget *parent) : SpinEdit(0, 999999, parent)
{
}

SpinEdit::SpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setGroupSeparatorShown(false);
    setAccelerated(true);
    // Typed values above the maximum are corrected to it rather than rejected mid-typing.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

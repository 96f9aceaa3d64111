#include <QtTest>
class TestOrderFlow : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(TestOrderFlow)
#include "tst_orderflow.moc"

#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class TForm1;
struct GridCellPaint;

// The "Stok Listesi" tab: the search box's key filter and search, the stock grid's columns
// and marks, the price information cell and the grid's popup menu.
class StockTab final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StockTab)

public:
    explicit StockTab(TForm1 &form);

    // The letters the search box turns into plain Latin ones before it takes them.
    static QChar filterKey(QChar typed);
    static QString priceInformation(double list, double campaign, double net, double withVat);

    void araeditReturn();
    void SpeedButton2Click();
    void SpeedButton1Click();
    bool LoadStockSearch(const QString &text, const QPointer<const QObject> &guard);

    QMenu *popstok = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void declareColumns();
    bool drawPriceInformation(const GridCellPaint &cell);
    void setCaption(const QString &caption);

    TForm1 &m_form;
};

#pragma once

#include <QString>

class AnimatedPicture;
class DataGrid;
class Dataset;
class TForm1;
class Tstokayarinti;

// Every way a line enters the basket or is changed: fills the stock detail dialog from the
// row the user picked, shows it and sends the line to the server, then reloads the basket.
class BasketLineEditor
{
public:
    enum class Source { StockList, NewItems, Campaign };

    explicit BasketLineEditor(TForm1 &form);
    BasketLineEditor(const BasketLineEditor &) = delete;
    BasketLineEditor &operator=(const BasketLineEditor &) = delete;

    // The double-click rule: a stock already in the basket changes its line, otherwise a
    // line is added from the grid's row.
    void OpenFromGrid(DataGrid &grid, Dataset &dataset, Source source);

    void AddFromStockList(int stokno);
    void AddFromNewItems(int stokno);
    void AddFromCampaign(int stokno);
    void ChangeBasketLine(int sirano);

    // Both run on the shared connection on the UI thread; a result of 1 reloads the basket.
    void BasketAdd(Dataset &source, double miktar, double fiyat, double ind1, double ind2,
                   double ind3, double ind4);
    void BasketUpdate(int sirano, double miktar, double fiyat);
    void LoadStockPicture(int stokno, AnimatedPicture *image);

    // The quantity as typed; an empty or malformed text is an error and sends nothing.
    static double quantityOf(const QString &text);

private:
    void addFrom(Dataset &row, Source source, int stokno);

    TForm1 &m_form;
};

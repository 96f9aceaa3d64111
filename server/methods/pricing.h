#pragma once

#include "storagerecords.h"

#include <array>

// Line and stock amounts computed the way the client's dialog computes them: discounts
// applied one after another, each amount rounded to two decimals, VAT on the net amount.
class Pricing
{
public:
    // Half away from zero, on the value taken with 15 significant digits (so 1.005 -> 1.01).
    static double round2(double value);

    static LineAmounts line(double quantity, double unitPrice, double vat,
                            const std::array<double, 4> &discounts);

    // "10+5+2,5": the non-zero rates; empty when there is none.
    static QString discountText(const std::array<double, 4> &discounts);

    // Fills price, net, VAT-inclusive price and discount text from list price, campaign
    // price, discounts and VAT.
    static void priceStock(StockRecord &stock);
};

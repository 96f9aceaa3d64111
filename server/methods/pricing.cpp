#include "pricing.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <cstdlib>

double Pricing::round2(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value * 100.0);
    const double cents = std::strtod(buffer, nullptr);
    return std::round(cents) / 100.0 + 0.0;  // + 0.0 turns -0 into 0
}

LineAmounts Pricing::line(double quantity, double unitPrice, double vat,
                          const std::array<double, 4> &discounts)
{
    LineAmounts a;
    a.quantity = quantity;
    a.unitPrice = unitPrice;
    a.vat = vat;
    a.discounts = discounts;
    const double gross = quantity * unitPrice;
    double x = gross;
    for (double r : discounts)
        if (r > 0)
            x -= x * r / 100.0;
    a.gross = round2(gross);
    a.net = round2(x);
    a.discount = round2(a.gross - a.net);
    a.netUnit = quantity != 0 ? round2(a.net / quantity) : 0.0;
    a.tax = round2(a.net * vat / 100.0);
    a.discountText = discountText(discounts);
    return a;
}

QString Pricing::discountText(const std::array<double, 4> &discounts)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QStringList parts;
    for (double r : discounts)
        if (r > 0)
            parts << turkish.toString(r, 'g', 6);
    return parts.join(QLatin1Char('+'));
}

void Pricing::priceStock(StockRecord &s)
{
    s.campaign = s.campaign > 0 && s.campaignPrice > 0 ? 1 : 0;
    if (!s.campaign)
        s.campaignPrice = 0;
    s.price = s.campaign ? s.campaignPrice : s.listPrice;
    const LineAmounts one = line(1, s.price, s.vat, s.discounts);
    s.netPrice = one.net;
    s.grossPrice = round2(one.net * (1 + s.vat / 100.0));
    s.discountText = one.discountText;
}

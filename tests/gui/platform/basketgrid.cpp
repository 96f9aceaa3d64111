#include "basketgrid.h"

#include "datagrid.h"
#include "dataset.h"
#include "numberformat.h"

#include <QPainter>

namespace {

QPixmap statusPicture(const QColor &color)
{
    QPixmap p(16, 16);
    p.fill(color);
    return p;
}

}  // namespace

void declareBasketGrid(DataGrid &grid)
{
    grid.addColumns({
        {"SEC", "Seç", 1, true, false, 74},
        {"VERILISTARIHI", "Sipariş Tarihi", 1, true, true, 84},
        {"SIRANO", "", 0, false, false, 84}, {"SIPARISNO", "Sipariş No", 0, false, true, 84},
        {"CARINO", "", 0, false, false, 84}, {"TARIH", "Tarih", 1, false, true, 84},
        {"AKTAR", "", 0, false, false, 84}, {"STOKNO", "", 0, false, false, 84},
        {"BARKOD", "Barkod", 2, true, true, 196}, {"FINISHKOD", "FinishKod", 2, true, true, 169},
        {"OEMNO", "OEMNo", 2, true, true, 178}, {"STOKADI", "Stok Açıklama", 3, true, true, 291},
        {"MIKTAR", "Miktar", 1, true, true, 84}, {"BIRIMFIYAT", "Birim Fiyat", 1, true, true, 84},
        {"TUTAR", "Tutar", 1, true, true, 84}, {"INDIRIMYAZI", "İndirim Oran", 2, true, true, 0},
        {"INDIRIMORANI1", "İndirim Oranı %", 1, false, false, 84},
        {"INDIRIMTUTAR", "İndirim Tutar", 1, false, false, 84},
        {"NETBIRIMFIYAT", "Net Fiyat", 1, true, true, 84}, {"KDV", "", 1, true, true, 84},
        {"VERGITUTARI", "Vergi Tutarı", 1, true, true, 84},
        {"NETTUTAR", "Net Tutar", 1, true, true, 84}, {"KUR", "Kur", 1, false, true, 44},
        {"VEREN", "Veren", 1, true, true, 133}, {"MARKA", "Marka", 1, false, true, 404},
        {"DURUM", "Durum", 1, true, true, 74}, {"KALAN", "Kalan", 1, false, false, 74},
    });
    grid.column(QStringLiteral("SEC"))->setCheckBox(1, 0);
    grid.column(QStringLiteral("INDIRIMYAZI"))->setAlignment(Qt::AlignCenter);
    grid.column(QStringLiteral("DURUM"))->setImages({
        {0, statusPicture(Qt::red), QStringLiteral("Yok")},
        {4, statusPicture(Qt::magenta), QStringLiteral("Özel Sipariş")},
        {3, statusPicture(Qt::blue), QStringLiteral("Yolda")},
        {1, statusPicture(Qt::green), QStringLiteral("Var")},
        {5, statusPicture(Qt::cyan), QStringLiteral("Tedarik Sürecinde")},
        {2, statusPicture(Qt::yellow), QStringLiteral("Telefon Açınız")},
    });
    grid.setRowHeight(60);
    grid.setHeaderHeight(40);
    grid.setFilterButtonsVisible(true);
    grid.addSummary(SummaryKind::Count, QStringLiteral("VERILISTARIHI"));
    grid.addSummary(SummaryKind::Sum, QStringLiteral("MIKTAR"));
    grid.addSummary(SummaryKind::Sum, QStringLiteral("NETTUTAR"));
}

void fillBasket(Dataset &basket)
{
    basket.SetFields({
        {QStringLiteral("SEC"), FieldType::Integer},
        {QStringLiteral("VERILISTARIHI"), FieldType::Date},
        {QStringLiteral("SIRANO"), FieldType::Integer},
        {QStringLiteral("BARKOD"), FieldType::String, 30},
        {QStringLiteral("STOKADI"), FieldType::String, 60},
        {QStringLiteral("MARKA"), FieldType::String, 30},
        {QStringLiteral("MIKTAR"), FieldType::Integer},
        {QStringLiteral("BIRIMFIYAT"), FieldType::Float},
        {QStringLiteral("NETTUTAR"), FieldType::Float},
        {QStringLiteral("KDV"), FieldType::Float},
        {QStringLiteral("DURUM"), FieldType::Integer},
    });
    const double day = dateToDayNumber(QDate(2024, 3, 1));
    const QVector<QVector<QVariant>> rows = {
        {1, day, 11, "FR-100", "FREN BALATASI ÖN", "BOSCH", 2, 150.5, 270.9, 20.0, 1},
        {0, day, 12, "YG-220", "YAĞ FİLTRESİ", "MANN", 10, 42.75, 384.75, 20.0, 3},
        {1, day + 1, 13, "AM-310", "AMORTİSÖR ARKA", "BOSCH", 1, 1250.0, 1125.0, 20.0, 0},
        {1, day + 1, 14, "BJ-001", "BUJİ TAKIMI", "NGK", 4, 99.99, 359.96, 20.0, 5},
        {0, day + 2, 15, "FR-200", "FREN DİSKİ", "BOSCH", 2, 800.0, 1440.0, 20.0, 2},
    };
    for (const auto &r : rows)
        basket.AppendRecord(r);
    for (int i = 0; i < basket.FieldCount(); ++i)
        if (basket.Fields(i).DataType() == FieldType::Float)
            basket.Fields(i).SetDisplayFormat(kAmountFormat);
    basket.First();
}

#include "basketlineeditor.h"

#include "amountedit.h"
#include "baskettab.h"
#include "animatedpicture.h"
#include "connectioncloser.h"
#include "datagrid.h"
#include "dialogs.h"
#include "openwithretry.h"
#include "proxim.h"
#include "stokayarintiu.h"
#include "spinedit.h"
#include "streamcopy.h"
#include "unit1.h"
#include "utils.h"

#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPixmap>

#include <cxxabi.h>
#include <stdexcept>
#include <typeinfo>

namespace {

QString className(const std::exception &e)
{
    int status = 0;
    char *name = abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status);
    const QString text = QString::fromLatin1(status == 0 && name ? name : typeid(e).name());
    std::free(name);
    return text;
}

QString text(const Dataset &ds, const char *field)
{
    const Field *f = ds.FindField(QLatin1String(field));
    return f ? f->AsString() : QString();
}

double number(const Dataset &ds, const char *field)
{
    const Field *f = ds.FindField(QLatin1String(field));
    return f ? f->AsFloat() : 0.0;
}

}  // namespace

BasketLineEditor::BasketLineEditor(TForm1 &form) : m_form(form) {}

double BasketLineEditor::quantityOf(const QString &text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw std::runtime_error(
            QStringLiteral("'%1' geçerli bir sayı değil").arg(text).toStdString());
    return value;
}

void BasketLineEditor::OpenFromGrid(DataGrid &grid, Dataset &dataset, Source source)
{
    RunReportingErrors([&] {
        const int record = grid.focusedRecord();
        if (record < 0 || !DataSetHasRows(dataset))
            return;
        m_form.basketTab().waitForLoad();
        const int stokno =
            int(dataset.FieldByName(QStringLiteral("STOK_STOKNO")).intAt(record));
        dataset.Locate(QStringLiteral("STOK_STOKNO"), stokno);
        if (!m_form.sepet.Active())
            m_form.LoadBasket();
        if (m_form.sepet.Active() && m_form.sepet.FindField(QStringLiteral("STOKNO"))
            && m_form.sepet.Locate(QStringLiteral("STOKNO"), stokno)) {
            ChangeBasketLine(m_form.sepet.FieldByName(QStringLiteral("SIRANO")).AsInteger());
            return;
        }
        switch (source) {
        case Source::StockList: AddFromStockList(stokno); break;
        case Source::NewItems: AddFromNewItems(stokno); break;
        case Source::Campaign: AddFromCampaign(stokno); break;
        }
    });
}

void BasketLineEditor::AddFromStockList(int stokno)
{
    addFrom(m_form.stok, Source::StockList, stokno);
}

void BasketLineEditor::AddFromNewItems(int stokno)
{
    addFrom(m_form.YENILER, Source::NewItems, stokno);
}

void BasketLineEditor::AddFromCampaign(int stokno)
{
    addFrom(m_form.kampstok, Source::Campaign, stokno);
}

void BasketLineEditor::addFrom(Dataset &row, Source source, int stokno)
{
    const bool fromStock = source == Source::StockList;
    Tstokayarinti dialog(&m_form, fromStock ? stokno : 0);
    LoadStockPicture(stokno, dialog.Image1);
    dialog.barkod->setText(text(row, "BARKOD"));
    dialog.adi->setText(text(row, "ADI"));
    dialog.marka->setText(text(row, "MARKA"));
    dialog.finishkod->setText(text(row, "FINISHKOD"));
    dialog.model->setText(text(row, "MODEL"));
    dialog.kdvoran = number(row, "KDV");

    const Field *kField = row.FindField(QStringLiteral("K"));
    const bool kEmpty = !kField || kField->IsNull();
    const int k = kEmpty ? 0 : kField->AsInteger();
    const QString indirimYazi = text(row, "INDIRIMYAZI");
    // A stock-list row takes its price only with a known, non-negative campaign mark.
    const bool takesPrice = !fromStock || (!kEmpty && k >= 0);
    if (takesPrice) {
        dialog.birimfiyat->setValue(number(row, "FIYAT"));
        dialog.edindirim1->setValue(number(row, "IND1"));
        dialog.edindirim2->setValue(number(row, "IND2"));
        dialog.edindirim3->setValue(number(row, "IND3"));
        dialog.edindirim4->setValue(number(row, "IND4"));
    }
    switch (source) {
    case Source::StockList:
        dialog.Label2->setText(k > 0 ? QStringLiteral("Kampanyalı Fiyat:")
                                     : QStringLiteral("Fiyat:"));
        if (!kEmpty && k == 0)
            dialog.indirimoran->setText(QStringLiteral("İndirim: %") + indirimYazi);
        else if (k > 0)
            dialog.indirimoran->setText(QStringLiteral("Kampanyalı ") + indirimYazi);
        else
            dialog.indirimoran->setText(QStringLiteral("İndirim:"));
        break;
    case Source::NewItems:
        dialog.Label2->setText(k > 0 ? QStringLiteral("Kampanyalı Fiyat:")
                                     : QStringLiteral("Fiyat:"));
        dialog.indirimoran->setText(k > 0 ? QStringLiteral("Kampanyalı ") + indirimYazi
                                          : QStringLiteral("İndirim:  % ") + indirimYazi);
        break;
    case Source::Campaign:
        dialog.Label2->setText(QStringLiteral("Kampanyalı Fiyat:"));
        dialog.indirimoran->setText(QStringLiteral("Kampanyalı ") + indirimYazi);
        break;
    }
    dialog.adet->setValue(1);
    const int tip = m_form.sbilgi.MusteriTipi();
    if (tip == 1 || tip == 2)
        dialog.unlockEditing(source != Source::Campaign);

    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const double miktar = quantityOf(dialog.adet->text());
    BasketAdd(row, miktar, dialog.birimfiyat->value(), dialog.edindirim1->value(),
              dialog.edindirim2->value(), dialog.edindirim3->value(), dialog.edindirim4->value());
}

void BasketLineEditor::ChangeBasketLine(int sirano)
{
    RunReportingErrors([&] {
        Dataset &line = m_form.sepet;
        if (!line.Locate(QStringLiteral("SIRANO"), sirano))
            return;
        Tstokayarinti dialog(&m_form);
        LoadStockPicture(line.FieldByName(QStringLiteral("STOKNO")).AsInteger(), dialog.Image1);
        dialog.barkod->setText(text(line, "BARKOD"));
        dialog.adi->setText(text(line, "STOKADI"));
        dialog.marka->setText(text(line, "MARKA"));
        dialog.finishkod->setText(text(line, "FINISHKOD"));
        dialog.model->setText(text(line, "MODEL"));
        dialog.kdvoran = number(line, "KDV");
        dialog.birimfiyat->setValue(number(line, "BIRIMFIYAT"));
        dialog.edindirim1->setValue(number(line, "INDIRIMORANI1"));
        dialog.edindirim2->setValue(number(line, "INDIRIMORANI2"));
        dialog.edindirim3->setValue(number(line, "INDIRIMORANI3"));
        dialog.edindirim4->setValue(number(line, "INDIRIMORANI4"));
        dialog.Label2->setText(QStringLiteral("Fiyat:"));
        dialog.indirimoran->setText(QStringLiteral("İndirim:"));
        dialog.adet->setValue(int(number(line, "MIKTAR")));
        const int tip = m_form.sbilgi.MusteriTipi();
        if (tip == 1 || tip == 2)
            dialog.unlockEditing(true);
        if (ExecModal(&dialog) != QDialog::Accepted)
            return;
        const double miktar = quantityOf(dialog.adet->text());
        // The dialog may have reloaded nothing, but the cursor must be on the line again.
        line.Locate(QStringLiteral("SIRANO"), sirano);
        BasketUpdate(sirano, miktar, dialog.birimfiyat->value());
        m_form.LoadBasket();
    });
}

void BasketLineEditor::BasketAdd(Dataset &source, double miktar, double fiyat, double ind1,
                                 double ind2, double ind3, double ind4)
{
    const TSonucBilgisi &session = m_form.sbilgi;
    int result = 0;
    CallOnShared(m_form.bagc, session, [&](TServerMethods1Client &proxy, TSonucBilgisi *copy) {
        result = proxy.SepetEkle2(copy, session.CARINO(),
                                  source.FieldByName(QStringLiteral("STOK_STOKNO")).AsInteger(),
                                  text(source, "BARKOD"), text(source, "ADI"), miktar,
                                  int(number(source, "KDV")), fiyat, ind1, session.Sirano(),
                                  int(number(source, "K")), ind2, ind3, ind4);
    });
    if (result == 1)
        m_form.LoadBasket();
}

void BasketLineEditor::BasketUpdate(int sirano, double miktar, double fiyat)
{
    const Dataset &line = m_form.sepet;
    const TSonucBilgisi &session = m_form.sbilgi;
    int result = 0;
    CallOnShared(m_form.bagc, session, [&](TServerMethods1Client &proxy, TSonucBilgisi *copy) {
        result = proxy.SepetGuncelle2(copy, session.CARINO(), 0, text(line, "BARKOD"),
                                      text(line, "STOKADI"), miktar, int(number(line, "KDV")),
                                      fiyat, number(line, "INDIRIMORANI1"), session.Sirano(),
                                      sirano, number(line, "INDIRIMORANI2"),
                                      number(line, "INDIRIMORANI3"),
                                      number(line, "INDIRIMORANI4"));
    });
    if (result == 1)
        m_form.LoadBasket();
}

void BasketLineEditor::LoadStockPicture(int stokno, AnimatedPicture *image)
{
    if (!OpenWithRetry(m_form.bagc, 1))
        return;
    try {
        ConnectionCloser closer(m_form.bagc);
        TServerMethods1Client proxy(m_form.bagc.DBXConnection());
        qint64 boy = 0;
        QIODevice *stream = proxy.ResimVer5(stokno, boy);
        if (const std::optional<QByteArray> bytes = copyStreamResult(stream, boy)) {
            if (!QImage::fromData(*bytes, "JPEG").isNull())
                image->setData(*bytes);
        }
    } catch (const std::exception &e) {
        ShowMessage(className(e) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
}

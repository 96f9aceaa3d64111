#include "stocktab.h"

#include "artwork.h"
#include "basketlineeditor.h"
#include "beklesinu.h"
#include "busyindicator.h"
#include "datagrid.h"
#include "dialogs.h"
#include "numberformat.h"
#include "openwithretry.h"
#include "proxim.h"
#include "tabcontrol.h"
#include "unit1.h"
#include "uppercase.h"
#include "utils.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace {

const QString kCaption = QStringLiteral("Stok Listesi");

QVector<GridImageItem> statusImages()
{
    QVector<GridImageItem> items;
    const QList<QPair<int, QString>> codes = {
        {0, QStringLiteral("Yok")},         {1, QStringLiteral("Var")},
        {2, QStringLiteral("Telefon Açınız")}, {3, QStringLiteral("Yolda")},
        {4, QStringLiteral("Özel Sipariş")}, {5, QStringLiteral("Tedarik Sürecinde")},
    };
    for (const auto &c : codes)
        items.push_back({c.first, Artwork::statusPicture(c.first), c.second});
    return items;
}

}  // namespace

StockTab::StockTab(TForm1 &form) : QObject(&form), m_form(form)
{
    declareColumns();
    m_form.araedit->installEventFilter(this);
    connect(m_form.SpeedButton2, &QToolButton::clicked, this, &StockTab::SpeedButton2Click);
    connect(m_form.SpeedButton1, &QToolButton::clicked, this, &StockTab::SpeedButton1Click);
    ForceUpperCase(m_form.araedit);

    popstok = new QMenu(m_form.cxGrid1);
    popstok->setObjectName(QStringLiteral("popstok"));
    QAction *s2 = popstok->addAction(QStringLiteral("Sepete Ekle"));
    s2->setObjectName(QStringLiteral("S2"));
    popstok->addSeparator();
    QAction *b1 = popstok->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
    b1->setObjectName(QStringLiteral("B1"));
    popstok->addSeparator();
    QAction *s3 = popstok->addAction(QStringLiteral("Siparişleri Göster"));
    s3->setObjectName(QStringLiteral("S3"));
    popstok->addSeparator();
    QAction *hareket = popstok->addAction(QStringLiteral("Stok Hareketleri"));
    hareket->setObjectName(QStringLiteral("StokHareketleri1"));
    // The stock history windows are not part of this program yet.
    s3->setEnabled(false);
    hareket->setEnabled(false);
    m_form.cxGrid1->setPopupMenu(popstok);
    // "Sepete Ekle" and a double click do the same.
    const auto addFocused = [this] {
        m_form.lineEditor().OpenFromGrid(*m_form.cxGrid1, m_form.stok,
                                         BasketLineEditor::Source::StockList);
    };
    connect(s2, &QAction::triggered, this, addFocused);
    connect(m_form.cxGrid1, &DataGrid::recordDoubleClicked, this, addFocused);
}

void StockTab::declareColumns()
{
    DataGrid &g = *m_form.cxGrid1;
    g.setDataset(&m_form.stok);
    g.setIncrementalSearch(true);
    g.setFilterButtonsVisible(true);
    g.setHeaderHeight(40);
    g.setRowIndicatorVisible(true);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    g.setFont(f);

    g.addColumns({
        {"DURUM", "Durum", 1, true, true},
        {"OEM1", "Oem1", 2, false, true},
        {"OEM2", "Oem2", 2, false, true},
        {"OEM3", "Oem3", 2, false, true},
        {"BARKOD", "Barkod", 2, true, true},
        {"ADI", "Açıklama", 3, true, true},
        {"OEM4", "Oem4", 2, false, true},
        {"STOK_STOKNO", "", 1, false, false},
        {"FINISHKOD", "Finish Kod", 2, false, true},
        {"URETICIKODU", "Üretici Kod", 2, false, true},
        {"RESIM", "Resim", 1, true, true},
        {"BARKOD_BARKODNO", "", 1, false, false},
        {"DIGERADI", "Diğer Adı", 3, false, true},
        {"DPKOD", "", 2, false, false},
        {"OEMNO", "Oem No", 2, false, true},
        {"BIRIM", "Birim", 1, false, true},
        {"MARKA", "Marka", 2, true, true},
        {"MODEL", "Model", 2, true, true},
        {"ANAGRUP", "Ana Grup", 2, false, true},
        {"OZELKOD", "Özel Kod", 2, true, true},
        {"KALAN", "", 1, false, false},
        {"PKOD", "", 1, false, false},
        {"KDV", "", 1, false, true},
        {"ALINANSIPARIS", "", 1, false, false},
        {"VERILENSIPARIS", "", 1, false, false},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, true, true},
        {"KAMPFIYAT", "Kampanyalı Fiyat", 2, true, true},
        {"FIYAT", "Liste Fiyatı", 2, false, true},
        {"Y", "Yeni", 1, true, true},
        {"K", "Kampanyalı", 1, true, true},
        {"INDIRIMYAZI", "İndirim Oran", 2, true, true},
        {"NETFIYAT", "Net Fiyatı", 2, true, true},
        {"KDVDAHIL", "KDV Dahil Fiyat", 3, true, true},
        {"FIYATBILGISI", "Fiyat Bilgisi", 2, false, true},
    });
    g.column(QStringLiteral("STOK_STOKNO"))->setFocusable(false);
    g.column(QStringLiteral("DURUM"))
        ->setImages(statusImages())
        .setAlignment(Qt::AlignCenter);
    g.column(QStringLiteral("RESIM"))
        ->setImages({{1, Artwork::picturePicture(), QStringLiteral("Var")},
                     {0, QPixmap(), QString()}})
        .setAlignment(Qt::AlignCenter);
    g.column(QStringLiteral("Y"))
        ->setImages({{0, QPixmap(), QStringLiteral("Hayır")},
                     {1, Artwork::newPicture(), QStringLiteral("Evet")}})
        .setAlignment(Qt::AlignCenter);
    g.column(QStringLiteral("K"))
        ->setImages({{0, QPixmap(), QString()},
                     {1, Artwork::campaignPicture(), QStringLiteral("Evet")}})
        .setAlignment(Qt::AlignCenter);
    g.column(QStringLiteral("INDIRIMYAZI"))->setAlignment(Qt::AlignCenter);
    g.column(QStringLiteral("FIYATBILGISI"))
        ->setKind(ColumnKind::Custom)
        .setCustomDraw([this](const GridCellPaint &cell) { return drawPriceInformation(cell); });
    g.addSummary(SummaryKind::Count, QStringLiteral("OEM1"));
}

QChar StockTab::filterKey(QChar typed)
{
    switch (typed.unicode()) {
    case u'ğ': return u'g';
    case u'ü': return u'u';
    case u'ş': return u's';
    case u'ö': return u'o';
    case u'ç': return u'c';
    case u'Ğ': return u'G';
    case u'Ü': return u'U';
    case u'Ş': return u'S';
    case u'İ': return u'I';
    case u'Ö': return u'O';
    case u'Ç': return u'C';
    case u'ı': return u'I';
    default: return typed;
    }
}

bool StockTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form.araedit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            araeditReturn();
            return true;
        }
        const QString text = key->text();
        if (text.size() == 1 && filterKey(text[0]) != text[0]) {
            m_form.araedit->insert(QString(filterKey(text[0])).toUpper());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StockTab::setCaption(const QString &caption)
{
    TabControl *tabs = m_form.sPageControl1;
    tabs->setTabText(tabs->indexOf(m_form.sstoklistesi), caption);
}

void StockTab::araeditReturn()
{
    m_form.sPageControl1->setCurrentWidget(m_form.sstoklistesi);
    if (m_form.araedit->text().trimmed().size() < 3) {
        ShowMessageDialog(QStringLiteral("Lütfen en az 3 harf giriniz !"), MsgDlgType::Warning,
                          {MsgDlgBtn::OK}, MsgDlgBtn::OK, 0);
        return;
    }
    m_form.araedit->setEnabled(false);
    m_form.gifstokara->show();
    DataGrid &g = *m_form.cxGrid1;
    g.detach();
    g.beginUpdate();
    g.clearFilter();
    auto hata = std::make_shared<bool>(false);
    const QString text = m_form.araedit->text();  // sent as typed, blanks included
    const QPointer<const QObject> guard(this);
    RunAsync([this, hata, text, guard] { *hata = LoadStockSearch(text, guard); })->Await(this, [this, hata] {
        m_form.araedit->setEnabled(true);
        m_form.cxGrid1->attach();
        m_form.cxGrid1->endUpdate();
        m_form.araedit->selectAll();
        m_form.araedit->setFocus();
        m_form.gifstokara->hide();
        if (*hata) {
            if (m_form.stok.Active() && !m_form.stok.IsEmpty())
                m_form.stok.EmptyDataSet();
            ShowMessageDialog(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"),
                              MsgDlgType::Error, {MsgDlgBtn::OK}, MsgDlgBtn::OK, 0);
            setCaption(kCaption);
        }
    });
}

bool StockTab::LoadStockSearch(const QString &text, const QPointer<const QObject> &guard)
{
    // Runs on a worker while the grid is detached and the search box disabled.
    auto *copy = new TSonucBilgisi;
    copy->Kopyala(m_form.sbilgi);
    std::unique_ptr<ServerConnection> clone = m_form.bagc.CloneConnection();
    if (!OpenWithRetry(*clone, 0)) {
        delete copy;
        return true;
    }
    try {
        TServerMethods1Client proxy(clone->DBXConnection());
        m_form.stok.DisableControls();
        proxy.StokAraGetir(text, copy).AssignTo(m_form.stok);
        m_form.stok.FieldByName(QStringLiteral("IND1"));
        const QString caption = QString::number(m_form.stok.RecordCount()) + u'=' + kCaption;
        Synchronize(guard, [&] { setCaption(caption); });
        SetFloatDisplayFormats(m_form.stok);
        m_form.stok.EnableControls();
        clone->Close();
        return false;
    } catch (const std::exception &) {
        m_form.stok.EnableControls();
        return true;
    }
}

void StockTab::SpeedButton2Click()
{
    if (m_form.araedit->isEnabled())
        araeditReturn();
}

void StockTab::SpeedButton1Click()
{
    if (!m_form.araedit->isEnabled())
        return;
    if (m_form.stok.Active()) {
        m_form.stok.EmptyDataSet();
        setCaption(kCaption);
    }
    m_form.sPageControl1->setCurrentWidget(m_form.sstoklistesi);
    m_form.cxGrid1->clearFilter();
    m_form.araedit->clear();
    m_form.araedit->selectAll();
    m_form.araedit->setFocus();
}

QString StockTab::priceInformation(double list, double campaign, double net, double withVat)
{
    QString text = QStringLiteral("Liste Fiyatı: ") + FormatFloat(kAmountFormat, list)
        + QStringLiteral("\r\n");
    if (campaign > 0)
        text += QStringLiteral("Kampanyalı Fiyat: ") + FormatFloat(kAmountFormat, campaign)
            + QStringLiteral("\r\n");
    text += QStringLiteral("NetFiyat: ") + FormatFloat(kAmountFormat, net) + QStringLiteral("\r\n");
    text += QStringLiteral("KDV li Fiyat: ") + FormatFloat(kAmountFormat, withVat)
        + QStringLiteral("\r\n");
    return text;
}

bool StockTab::drawPriceInformation(const GridCellPaint &cell)
{
    const Dataset &ds = *cell.dataset;
    const auto value = [&](const char *name) {
        const Field *f = ds.FindField(QLatin1String(name));
        return f ? f->floatAt(cell.record) : 0.0;
    };
    const QString text = priceInformation(value("LISTEFIYAT1"), value("KAMPFIYAT"),
                                          value("NETFIYAT"), value("KDVDAHIL"));
    QPainter &p = *cell.painter;
    p.fillRect(cell.rect, cell.background);
    p.setPen(cell.textColor);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    p.drawText(cell.rect.adjusted(10, 0, -10, 0),
               Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, lines.trimmed());
    return true;
}

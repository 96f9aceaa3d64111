#include "baskettab.h"

#include "artwork.h"
#include "basketlineeditor.h"
#include "beklesinu.h"
#include "busyindicator.h"
#include "connectioncloser.h"
#include "datagrid.h"
#include "dialogs.h"
#include "excelsaver.h"
#include "numberformat.h"
#include "onaysipu.h"
#include "openwithretry.h"
#include "proxim.h"
#include "tabcontrol.h"
#include "unit1.h"
#include "utils.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {

const QString kSelectCaption = QStringLiteral("Seç");

int ask(const QString &question)
{
    return ShowMessageDialog(question, MsgDlgType::Confirmation, {MsgDlgBtn::Yes, MsgDlgBtn::No},
                             MsgDlgBtn::No, 0);
}

void inform(const QString &text, MsgDlgType type)
{
    ShowMessageDialog(text, type, {MsgDlgBtn::OK}, MsgDlgBtn::OK, 0);
}

}  // namespace

BasketTab::BasketTab(TForm1 &form) : QObject(&form), m_form(form)
{
    buildControls();
    declareColumns();
    connect(m_form.sPageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_form.sPageControl1->widget(index) == m_form.ssepet)
            ssepetShow();
    });
}

void BasketTab::buildControls()
{
    QWidget *page = m_form.ssepet;
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());

    auto *panelsec = new QWidget(page);
    panelsec->setObjectName(QStringLiteral("panelsec"));
    panelsec->setFixedHeight(41);
    auto *secRow = new QHBoxLayout(panelsec);
    secRow->setContentsMargins(2, 2, 2, 2);
    Button4 = new QPushButton(QStringLiteral("Hepsini Seç"), panelsec);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button5 = new QPushButton(QStringLiteral("Seçimleri Kaldır"), panelsec);
    Button5->setObjectName(QStringLiteral("Button5"));
    lbluyarbakiye = new QLabel(panelsec);
    lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
    QFont warn = lbluyarbakiye->font();
    warn.setPixelSize(16);
    warn.setBold(true);
    lbluyarbakiye->setFont(warn);
    lbluyarbakiye->setStyleSheet(QStringLiteral("color: red;"));
    lbluyarbakiye->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    secRow->addWidget(Button4);
    secRow->addWidget(Button5);
    secRow->addWidget(lbluyarbakiye, 1);
    layout->addWidget(panelsec);

    auto *panel4 = new QWidget(page);
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFixedHeight(131);
    auto *row = new QHBoxLayout(panel4);
    GroupBox2 = new QGroupBox(QStringLiteral("Mesaj"), panel4);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *totals = new QGridLayout(GroupBox2);
    const auto total = [&](int r, const QString &caption, const char *name) {
        totals->addWidget(new QLabel(caption, GroupBox2), r, 0);
        auto *value = new QLabel(GroupBox2);
        value->setObjectName(QLatin1String(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals->addWidget(value, r, 1);
        return value;
    };
    aratoplaml = total(0, QStringLiteral("Toplam:"), "aratoplaml");
    indiriml = total(1, QStringLiteral("İndirim Toplam:"), "indiriml");
    nettutarl = total(2, QStringLiteral("Ara Toplam:"), "nettutarl");
    vergil = total(3, QStringLiteral("Vergi:"), "vergil");
    geneltoplaml = total(4, QStringLiteral("Genel Toplam:"), "geneltoplaml");
    GroupBox2->hide();  // the totals reach the user through the order confirmation
    row->addWidget(GroupBox2);
    row->addStretch(1);
    auto *buttons = new QVBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Gönder"), panel4);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setMinimumSize(160, 50);
    Button2 = new QPushButton(QStringLiteral("Excel Kaydet"), panel4);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setMinimumSize(160, 40);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    row->addLayout(buttons);
    layout->addWidget(panel4);

    PopupMenu1 = new QMenu(m_form.cxGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *change = PopupMenu1->addAction(QStringLiteral("Satır Değiştir"));
    change->setObjectName(QStringLiteral("Deitir1"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("Sil1"));
    QAction *remove = PopupMenu1->addAction(QStringLiteral("Satır Sil"));
    remove->setObjectName(QStringLiteral("SatrSil1"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction *removeAll = PopupMenu1->addAction(QStringLiteral("Hepsini Sil"));
    removeAll->setObjectName(QStringLiteral("HepsiniSil1"));
    m_form.cxGrid2->setPopupMenu(PopupMenu1);

    connect(change, &QAction::triggered, this, &BasketTab::Deitir1Click);
    connect(remove, &QAction::triggered, this, &BasketTab::SatrSil1Click);
    connect(removeAll, &QAction::triggered, this, &BasketTab::HepsiniSil1Click);
    connect(m_form.cxGrid2, &DataGrid::recordDoubleClicked, this, &BasketTab::Deitir1Click);
    connect(Button4, &QPushButton::clicked, this, &BasketTab::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &BasketTab::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &BasketTab::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &BasketTab::Button2Click);
}

void BasketTab::declareColumns()
{
    DataGrid &g = *m_form.cxGrid2;
    g.setDataset(&m_form.sepet);
    g.setIncrementalSearch(true);
    g.setFilterButtonsVisible(true);
    g.setRowHeight(60);
    g.setHeaderHeight(40);
    g.addColumns({
        {"SEC", "Seç", 1, true, false, 74},
        {"VERILISTARIHI", "Sipariş Tarihi", 1, true, true, 84},
        {"SIRANO", "", 0, false, false, 84},
        {"SIPARISNO", "Sipariş No", 0, false, true, 84},
        {"CARINO", "", 0, false, false, 84},
        {"TARIH", "Tarih", 1, false, true, 84},
        {"AKTAR", "", 0, false, false, 84},
        {"STOKNO", "", 0, false, false, 84},
        {"BARKOD", "Barkod", 2, true, true, 196},
        {"FINISHKOD", "FinishKod", 2, true, true, 169},
        {"OEMNO", "OEMNo", 2, true, true, 178},
        {"STOKADI", "Stok Açıklama", 3, true, true, 291},
        {"MIKTAR", "Miktar", 1, true, true, 84},
        {"BIRIMFIYAT", "Birim Fiyat", 1, true, true, 84},
        {"TUTAR", "Tutar", 1, true, true, 84},
        {"INDIRIMYAZI", "İndirim Oran", 2, true, true, 0},
        {"INDIRIMORANI1", "İndirim Oranı %", 1, false, false, 84},
        {"INDIRIMORANI2", "", 1, false, false, 84},
        {"INDIRIMORANI3", "", 1, false, false, 84},
        {"INDIRIMTUTAR", "İndirim Tutar", 1, false, false, 84},
        {"NETBIRIMFIYAT", "Net Fiyat", 1, true, true, 84},
        {"KDV", "", 1, true, true, 84},
        {"VERGITUTARI", "Vergi Tutarı", 1, true, true, 84},
        {"NETTUTAR", "Net Tutar", 1, true, true, 84},
        {"KUR", "Kur", 1, false, true, 44},
        {"KURTL", "", 1, false, false, 84},
        {"VERENIDNO", "", 1, false, false, 84},
        {"SAAT", "Saat", 1, false, true, 84},
        {"TESLIMID", "", 1, false, false, 84},
        {"KARGOID", "", 1, false, false, 84},
        {"ACIKLAMA", "Açıklama", 1, false, true, 84},
        {"IDNO", "", 1, false, false, 84},
        {"VERENSIRANO", "", 1, false, false, 84},
        {"VEREN", "Veren", 1, true, true, 133},
        {"CARIKOD", "Cari Kod", 1, false, false, 204},
        {"CARIADI", "Cari Adı", 1, false, false, 404},
        {"OEM1", "", 1, false, true, 244},
        {"OEM2", "", 1, false, true, 244},
        {"OEM3", "", 1, false, true, 244},
        {"OEM4", "", 1, false, true, 244},
        {"STOK_STOKNO", "", 1, false, false, 84},
        {"URETICIKODU", "", 1, false, false, 404},
        {"DIGERADI", "", 1, false, true, 404},
        {"DPKOD", "", 1, false, true, 404},
        {"MARKA", "Marka", 1, false, true, 404},
        {"MODEL", "Model", 1, false, true, 404},
        {"ANAGRUP", "Ana Grup", 1, false, true, 404},
        {"OZELKOD", "Özel Kod", 1, false, true, 204},
        {"PKOD", "", 1, false, true, 404},
        {"DURUM", "Durum", 1, true, true, 74},
        {"KALAN", "Kalan", 1, false, false, 74},
        {"INDIRIMORANI4", "", 0, false, true, 0},
    });
    g.column(QStringLiteral("SEC"))->setCheckBox(1, 0);
    g.column(QStringLiteral("INDIRIMYAZI"))->setAlignment(Qt::AlignCenter);
    QVector<GridImageItem> states;
    for (int code : {0, 4, 3, 1, 5, 2})
        states.push_back({code, Artwork::statusPicture(code), QString()});
    g.column(QStringLiteral("DURUM"))->setImages(states).setAlignment(Qt::AlignCenter);
    g.addSummary(SummaryKind::Count, QStringLiteral("VERILISTARIHI"));
    g.addSummary(SummaryKind::Sum, QStringLiteral("MIKTAR"));
    g.addSummary(SummaryKind::Sum, QStringLiteral("NETTUTAR"));
}

void BasketTab::ssepetShow()
{
    if (m_loading)
        return;  // the running load fills the basket; a second one would collide with it
    m_loading = true;
    lbluyarbakiye->clear();
    m_form.gifsepet->show();
    m_form.cxGrid2->setEnabled(false);
    setButtonsEnabled(false);  // they read the basket, which the load is filling
    m_form.sepet.DisableControls();
    m_form.cxGrid2->detach();
    m_form.cxGrid2->beginUpdate();

    // Beside the load, on a thread of its own.
    const QPointer<const QObject> guard(this);
    taskPool()->start([this, guard] { CariBakiyeUyariBak(guard); });

    RunAsync([this] { m_form.LoadBasket(); })->Await(this, [this] {
        m_form.sPageControl1->setTabText(m_form.sPageControl1->indexOf(m_form.ssepet),
                                         QString::number(m_form.sepet.RecordCount())
                                             + QStringLiteral("=Sepet"));
        ComputeBasketTotals();
        m_form.sepet.EnableControls();
        m_form.cxGrid2->setEnabled(true);
        setButtonsEnabled(true);
        m_form.cxGrid2->attach();
        m_form.cxGrid2->endUpdate();
        m_form.gifsepet->hide();
        m_loading = false;
        if (std::exchange(m_form.m_basketReloadPending, false))
            RunReportingErrors([this] { m_form.LoadBasket(); });
        emit loadFinished();
    });
}

void BasketTab::setButtonsEnabled(bool enabled)
{
    for (QPushButton *b : {Button1, Button2, Button4, Button5})
        b->setEnabled(enabled);
}

void BasketTab::waitForLoad()
{
    while (m_loading)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

void BasketTab::CariBakiyeUyariBak(const QPointer<const QObject> &guard)
{
    // Its own thread, its own clone; the label is written on the UI thread.
    QString text;
    std::unique_ptr<ServerConnection> clone = m_form.bagc.CloneConnection();
    if (!OpenWithRetry(*clone, 0))
        return;
    try {
        TServerMethods1Client proxy(clone->DBXConnection());
        text = proxy.CariVadeGunGecmismiBul(m_form.sbilgi.CARINO());
    } catch (const std::exception &) {
        text.clear();
    }
    clone.reset();
    Synchronize(guard, [this, text] { lbluyarbakiye->setText(text); });
}

void BasketTab::ComputeBasketTotals()
{
    Dataset &s = m_form.sepet;
    double t = 0, i = 0, v = 0;
    if (s.Active() && s.FindField(QStringLiteral("SEC"))) {
        const Field &sec = s.FieldByName(QStringLiteral("SEC"));
        const Field &tutar = s.FieldByName(QStringLiteral("TUTAR"));
        const Field &indirim = s.FieldByName(QStringLiteral("INDIRIMTUTAR"));
        const Field &vergi = s.FieldByName(QStringLiteral("VERGITUTARI"));
        for (s.First(); !s.Eof(); s.Next()) {
            if (sec.IsNull() || sec.AsInteger() != 1)
                continue;
            t = Round2(t + tutar.AsFloat());
            i = Round2(i + indirim.AsFloat());
            v = Round2(v + vergi.AsFloat());
        }
    }
    const double n = Round2(t - i);
    const double g = Round2(v + n);
    aratoplaml->setText(FormatFloat(kAmountFormat, t));
    indiriml->setText(FormatFloat(kAmountFormat, i));
    vergil->setText(FormatFloat(kAmountFormat, v));
    nettutarl->setText(FormatFloat(kAmountFormat, n));
    geneltoplaml->setText(FormatFloat(kAmountFormat, g));
}

bool BasketTab::positionOnFocusedLine(int &sirano)
{
    const int record = m_form.cxGrid2->focusedRecord();
    if (record < 0 || !DataSetHasRows(m_form.sepet))
        return false;
    sirano = int(m_form.sepet.FieldByName(QStringLiteral("SIRANO")).intAt(record));
    return m_form.sepet.Locate(QStringLiteral("SIRANO"), sirano);
}

void BasketTab::Deitir1Click()
{
    int sirano = 0;
    if (!positionOnFocusedLine(sirano))
        return;
    const GridColumn *focused = m_form.cxGrid2->column(m_form.cxGrid2->focusedField());
    if (!focused || focused->displayCaption() != kSelectCaption) {
        m_form.lineEditor().ChangeBasketLine(sirano);
        return;
    }
    Field &sec = m_form.sepet.FieldByName(QStringLiteral("SEC"));
    // Only an explicit 0 becomes 1; an empty mark counts as selected and is cleared.
    const int mark = (!sec.IsNull() && sec.AsInteger() == 0) ? 1 : 0;
    m_form.sepet.Edit();
    sec.SetAsInteger(mark);
    m_form.sepet.Post();
    UpdateLineSelection(sirano, mark);
    ComputeBasketTotals();
}

bool BasketTab::UpdateLineSelection(int sirano, int secim)
{
    std::unique_ptr<ServerConnection> clone = m_form.bagc.CloneConnection();
    if (!OpenWithRetry(*clone, 1))
        return false;
    try {
        TServerMethods1Client proxy(clone->DBXConnection());
        proxy.SepetSecimGuncelle(sirano, secim);
        clone->Close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void BasketTab::setAllSelections(int mark)
{
    Dataset &s = m_form.sepet;
    if (s.Active() && s.FindField(QStringLiteral("SEC"))) {
        for (s.First(); !s.Eof(); s.Next()) {
            s.Edit();
            s.FieldByName(QStringLiteral("SEC")).SetAsInteger(mark);
            s.Post();
            UpdateLineSelection(s.FieldByName(QStringLiteral("SIRANO")).AsInteger(), mark);
        }
    }
    ComputeBasketTotals();
    if (m_form.araedit->isEnabled()) {
        m_form.araedit->selectAll();
        m_form.araedit->setFocus();
    }
}

void BasketTab::Button4Click()
{
    setAllSelections(1);
}

void BasketTab::Button5Click()
{
    setAllSelections(0);
}

void BasketTab::SatrSil1Click()
{
    RunReportingErrors([this] { deleteFocusedLine(); });
}

void BasketTab::deleteFocusedLine()
{
    int sirano = 0;
    if (!positionOnFocusedLine(sirano))
        return;
    if (ask(QStringLiteral("Satırı silmek istiyor musunuz ")) != mrYes)
        return;
    const Dataset &s = m_form.sepet;
    const QString aciklamam = s.FieldByName(QStringLiteral("BARKOD")).DisplayText() + u'-'
        + s.FieldByName(QStringLiteral("STOKADI")).DisplayText();
    if (!CallOnShared(m_form.bagc, m_form.sbilgi,
                      [&](TServerMethods1Client &proxy, TSonucBilgisi *copy) {
                          proxy.SepetSatirSil(copy, sirano, aciklamam);
                      }))
        return;
    m_form.LoadBasket();
    inform(QStringLiteral("Satır silindi !"), MsgDlgType::Information);
}

void BasketTab::HepsiniSil1Click()
{
    RunReportingErrors([this] { deleteAllLines(); });
}

void BasketTab::deleteAllLines()
{
    if (!DataSetHasRows(m_form.sepet))
        return;
    if (ask(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz ")) != mrYes)
        return;
    if (!CallOnShared(m_form.bagc, m_form.sbilgi,
                      [&](TServerMethods1Client &proxy, TSonucBilgisi *copy) {
                          proxy.SepetHepsiniSil(copy);
                          // Reported before the reload, while the connection is still open.
                          inform(QStringLiteral("Sepet Silindi !"), MsgDlgType::Information);
                      }))
        return;
    m_form.LoadBasket();
}

void BasketTab::Button2Click()
{
    ExcelSaver::save(*m_form.cxGrid2, &m_form);
}

void BasketTab::Button1Click()
{
    RunReportingErrors([this] { sendBasket(); });
}

void BasketTab::sendBasket()
{
    if (!DataSetHasRows(m_form.sepet)) {
        inform(QStringLiteral("Gönderilecek Parça Yok "), MsgDlgType::Warning);
        return;
    }
    LocateSelectedRow(m_form.sepet);
    TONAYSIP dialog(&m_form, &m_form.bagc, lbluyarbakiye->text(), &m_form.sbilgi,
                    geneltoplaml->text());
    dialog.Label3->setText(lbluyarbakiye->text());
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    if (SendOrder(dialog.KN, dialog.kt, dialog.td, dialog.aciklamagir->toPlainText())) {
        inform(QStringLiteral("Siparişiniz Gönderildi !"), MsgDlgType::Information);
        m_form.LoadBasket();
    } else {
        inform(QStringLiteral("Sipariş Göndermede Hata"), MsgDlgType::Error);
    }
}

bool BasketTab::SendOrder(int KN, int kt, int td, const QString &aciklama)
{
    const TSonucBilgisi &session = m_form.sbilgi;
    bool result = false;
    CallOnShared(m_form.bagc, session, [&](TServerMethods1Client &proxy, TSonucBilgisi *copy) {
        result = proxy.SiparisKaydet(copy, session.CARINO(), td, kt, aciklama, session.Sirano(),
                                     KN);
    });
    return result;
}

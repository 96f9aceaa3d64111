#include "unit1.h"

#include "animatedpicture.h"
#include "artwork.h"
#include "basketlineeditor.h"
#include "baskettab.h"
#include "beklesinu.h"
#include "busyindicator.h"
#include "config.h"
#include "datagrid.h"
#include "dialogs.h"
#include "girisformu.h"
#include "hooks.h"
#include "marquee.h"
#include "openwithretry.h"
#include "proxim.h"
#include "stocktab.h"
#include "tabcontrol.h"
#include "utils.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Telvin Otomotiv B2B Programı");
constexpr int kWideLimit = 1152;

QFont tahoma(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

BusyIndicator *busy(QWidget *parent, const char *name)
{
    auto *b = new BusyIndicator(parent);
    b->setObjectName(QLatin1String(name));
    b->hide();
    return b;
}

QWidget *page(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(QLatin1String(name));
    return w;
}

DataGrid *gridOn(QWidget *page, const char *name)
{
    auto *grid = new DataGrid(page);
    grid->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

// Shows a column and offers it in the chooser, or hides it and takes it out.
void showColumn(DataGrid *grid, const char *field, bool shown)
{
    if (GridColumn *c = grid->column(QLatin1String(field))) {
        c->setVisible(shown);
        c->setCustomizable(shown);
    }
}

}  // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(tahoma(13));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    setCentralWidget(central);

    auto *header = new QWidget(central);
    header->setObjectName(QStringLiteral("Panel1"));
    buildHeader(header);
    layout->addWidget(header);

    auto *searchBar = new QWidget(central);
    searchBar->setObjectName(QStringLiteral("Panel2"));
    buildSearchBar(searchBar);
    layout->addWidget(searchBar);

    RxGIFAnimator2 = new AnimatedPicture(central);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setStretch(true);
    RxGIFAnimator2->setFixedHeight(0);
    layout->addWidget(RxGIFAnimator2);

    buildTabs();
    layout->addWidget(sPageControl1, 1);
    layout->addWidget(buildLegend());
    buildBottomStrip();
    layout->addWidget(Panel5);

    m_lineEditor = std::make_unique<BasketLineEditor>(*this);
    m_stockTab = new StockTab(*this);
    m_basketTab = new BasketTab(*this);

    cxGrid1->installEventFilter(this);
    cxGrid2->installEventFilter(this);
    cxGrid6->installEventFilter(this);
    cxkampanyali->installEventFilter(this);
}

TForm1::~TForm1()
{
    // Background loads fill this window's datasets; let them end first.
    DrainTasks();
}

void TForm1::buildHeader(QWidget *parent)
{
    auto *row = new QHBoxLayout(parent);
    row->setContentsMargins(0, 0, 0, 0);
    auto *logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(Artwork::logo(56));
    row->addWidget(logo);

    auto *labels = new QGridLayout;
    const auto pair = [&](int r, const QString &caption, const char *name) {
        auto *c = new QLabel(caption, parent);
        auto *v = new QLabel(parent);
        v->setObjectName(QLatin1String(name));
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        labels->addWidget(c, r, 0, Qt::AlignRight);
        labels->addWidget(v, r, 1);
        return v;
    };
    kullanicilbl = pair(0, QStringLiteral("Kullanıcı: "), "kullanicilbl");
    cariadilbl = pair(1, QStringLiteral("Firma: "), "cariadilbl");
    saticilbl = pair(2, QStringLiteral("Temsilci: "), "saticilbl");
    labels->setColumnStretch(1, 1);
    row->addLayout(labels, 1);

    RxGIFAnimator1 = new AnimatedPicture(parent);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(300, 64);
    RxGIFAnimator1->setProportional(true);
    row->addWidget(RxGIFAnimator1);

    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    const auto item = [&](const char *name, const QString &caption) {
        QAction *a = Genelmenu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    M1 = item("M1", QStringLiteral("Mail Gönder"));
    Genelmenu->addSeparator();
    N4 = item("N4", QStringLiteral("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    WebSiteMenuItem = item("WebSiteMenuItem", QString());
    Genelmenu->addSeparator();
    G1 = item("G1", QStringLiteral("Çıkış"));
    Genelmenu->addSeparator();
    R1 = item("R1", QStringLiteral("Raporlar"));
    R1->setVisible(false);
    // Their windows are not part of this program yet.
    M1->setEnabled(false);
    N4->setEnabled(false);
    R1->setEnabled(false);
    connect(WebSiteMenuItem, &QAction::triggered, this, &TForm1::WebSiteMenuItemClick);
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);

    Button3 = new QToolButton(parent);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setIcon(Artwork::menuIcon());
    Button3->setIconSize(QSize(32, 32));
    Button3->setPopupMode(QToolButton::MenuButtonPopup);
    Button3->setMenu(Genelmenu);
    connect(Button3, &QToolButton::clicked, Button3, &QToolButton::showMenu);
    row->addWidget(Button3);
}

void TForm1::buildSearchBar(QWidget *parent)
{
    auto *row = new QHBoxLayout(parent);
    row->setContentsMargins(0, 0, 0, 0);
    auto *glass = new QLabel(parent);
    glass->setPixmap(Artwork::searchIcon().pixmap(24, 24));
    row->addWidget(glass);

    araedit = new QLineEdit(parent);
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFont(tahoma(20));
    araedit->setMinimumWidth(360);
    row->addWidget(araedit);

    SpeedButton2 = new QToolButton(parent);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton2->setIcon(Artwork::searchIcon());
    SpeedButton1 = new QToolButton(parent);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    SpeedButton1->setIcon(Artwork::clearIcon());
    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), parent);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->hide();
    row->addWidget(SpeedButton2);
    row->addWidget(SpeedButton1);
    row->addWidget(musteritus);

    gifstokara = busy(parent, "gifstokara");
    gifyeniler = busy(parent, "gifyeniler");
    gifkampanyali = busy(parent, "gifkampanyali");
    gifduyuru = busy(parent, "gifduyuru");
    gifoncekiler = busy(parent, "gifoncekiler");
    gifsepet = busy(parent, "gifsepet");
    gifekstre = busy(parent, "gifekstre");
    for (BusyIndicator *b :
         {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifoncekiler, gifsepet, gifekstre})
        row->addWidget(b);
    row->addStretch(1);
}

void TForm1::buildTabs()
{
    sPageControl1 = new TabControl(this);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setIconSize(QSize(24, 24));
    sstoklistesi = page("sstoklistesi");
    ssepet = page("ssepet");
    sonceki = page("sonceki");
    sccariekstre = page("sccariekstre");
    syeniler = page("syeniler");
    skampanyali = page("skampanyali");
    sTabSheetduyuru = page("sTabSheetduyuru");
    sTabbakiyeler = page("sTabbakiyeler");
    ss = page("ss");
    const QList<QPair<QWidget *, QString>> tabs = {
        {sstoklistesi, QStringLiteral("Stok Listesi")},
        {ssepet, QStringLiteral("Sepet")},
        {sonceki, QStringLiteral("Önceki Siparişler")},
        {sccariekstre, QStringLiteral("Cari Ekstre")},
        {syeniler, QStringLiteral("Yeni Stoklar")},
        {skampanyali, QStringLiteral("Kampanyalı Stoklar")},
        {sTabSheetduyuru, QStringLiteral("Duyurular")},
        {sTabbakiyeler, QStringLiteral("Bakiyeler")},
        {ss, QStringLiteral("Sanal Pos")},
    };
    for (int i = 0; i < tabs.size(); ++i)
        sPageControl1->addTab(tabs[i].first, Artwork::tabIcon(i), tabs[i].second);
    // The payment page's tab is never shown.
    setTabShown(ss, false);

    cxGrid1 = gridOn(sstoklistesi, "cxGrid1");
    cxGrid2 = gridOn(ssepet, "cxGrid2");
    cxGrid6 = gridOn(syeniler, "cxGrid6");
    cxkampanyali = gridOn(skampanyali, "cxkampanyali");
}

QWidget *TForm1::buildLegend()
{
    auto *legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("Panel4"));
    auto *row = new QHBoxLayout(legend);
    row->setContentsMargins(4, 0, 4, 0);
    QFont f = tahoma(11);
    const QString style = QStringLiteral("color: #434C58;");
    auto *caption = new QLabel(QStringLiteral("Durum Açıklaması:    "), legend);
    caption->setFont(f);
    caption->setStyleSheet(style);
    row->addWidget(caption);
    const QList<QPair<int, QString>> entries = {
        {1, QStringLiteral(" Stok mevcut  ")},    {2, QStringLiteral(" Telefon Açınız  ")},
        {3, QStringLiteral(" Yolda  ")},          {5, QStringLiteral(" Tedarik Sürecinde ")},
        {4, QStringLiteral(" Özel Sipariş  ")},   {0, QStringLiteral(" Yok  ")},
    };
    for (const auto &e : entries) {
        auto *icon = new QLabel(legend);
        icon->setPixmap(Artwork::statusPicture(e.first));
        auto *text = new QLabel(e.second, legend);
        text->setFont(f);
        text->setStyleSheet(style);
        row->addWidget(icon);
        row->addWidget(text);
    }
    row->addStretch(1);
    return legend;
}

void TForm1::buildBottomStrip()
{
    Panel5 = new QWidget(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedHeight(40);
    auto *row = new QHBoxLayout(Panel5);
    row->setContentsMargins(0, 0, 0, 0);
    kayanyazi = new Marquee(Panel5);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    RealTimeMarquee1 = new Marquee(Panel5);
    RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
    row->addWidget(kayanyazi, 3);
    row->addWidget(RealTimeMarquee1, 2);
}

void TForm1::setTabShown(QWidget *page, bool shown)
{
    sPageControl1->setTabVisible(sPageControl1->indexOf(page), shown);
}

void TForm1::FormCreate()
{
    _acilisadet = 0;
    Platform::setApplicationTitle(kTitle);
    setWindowTitle(kTitle);
    SetMessageFontSize(15);
    Platform::setApplicationTitle(QStringLiteral("Telvin Otomotiv B2B"));

    sbilgi.SetBilgiSayarAdi(GetLocalComputerName());
    sbilgi.SetBilgisayarKullanici(GetWindowsUserName());
    sbilgi.SetIcip(GetLocalIp());
    sbilgi.SetBILGISAYARID(GetComputerId());

    bagc.Params().SetValue(QStringLiteral("HostName"), clientConfig().serverHost);
    bagc.Params().SetValue(QStringLiteral("Port"), clientConfig().serverPort);

    WebSiteMenuItem->setText(clientConfig().webAddress + u'/');

    if (!LoginAndSetUp())
        return;  // the process has ended (a test observing the exit goes on here)
    StartStartupSequence();
    sPageControl1->setCurrentWidget(sstoklistesi);
    araedit->setFocus();
}

bool TForm1::LoginAndSetUp()
{
    auto *login = new Tgirisform(this);
    login->bagim = &bagc;
    login->Bilgim = &sbilgi;
    const int result = ExecModal(login);
    delete login;
    if (result != QDialog::Accepted) {
        Platform::exitProcess(0);
        return false;
    }
    QString external = sbilgi.Disip();
    external.remove(u' ');
    if (external.isEmpty()) {
        Platform::exitProcess(0);
        return false;
    }
    ApplyCustomerTypeLayout();
    return true;
}

void TForm1::ApplyCustomerTypeLayout()
{
    const int tip = sbilgi.MusteriTipi();
    if (tip == 1 || tip == 2) {
        musteritus->show();
        for (DataGrid *g : {cxGrid1, cxGrid6, cxkampanyali, cxGrid2})
            showColumn(g, "KALAN", true);
        for (DataGrid *g : {cxGrid1, cxGrid6, cxkampanyali}) {
            showColumn(g, "ALINANSIPARIS", true);
            showColumn(g, "VERILENSIPARIS", true);
        }
        R1->setVisible(true);
    }
    if (tip == 3) {
        showColumn(cxGrid2, "DURUM", false);
        R1->setVisible(false);
    }
    if (tip == 4) {
        setTabShown(skampanyali, false);
        for (DataGrid *g : {cxGrid1, cxGrid6}) {
            showColumn(g, "KAMPFIYAT", false);
            showColumn(g, "K", false);
        }
        R1->setVisible(false);
    }
}

void TForm1::StartStartupSequence()
{
    // One task, one step after the other; every control change goes through the UI thread.
    const QPointer<const QObject> guard(this);
    RunAsync([this, guard] { AnaBilgiAl(guard); })->Await(this, [] {});
}

void TForm1::AnaBilgiAl(const QPointer<const QObject> &guard)
{
    Synchronize(guard, [this] {
        kullanicilbl->setText(sbilgi.ADI());
        cariadilbl->setText(sbilgi.CariAdi());
        saticilbl->setText(sbilgi.SaticiAdi() + QStringLiteral(" Telefonu: ")
                           + sbilgi.SaticiTelefon() + QStringLiteral(" email: ")
                           + sbilgi.SaticiMail());
    });
}

void TForm1::LoadBasket()
{
    // A change made while the tab's own load runs is picked up by a reload after it.
    if (QThread::currentThread() == thread() && m_basketTab->isLoading()) {
        m_basketReloadPending = true;
        return;
    }
    std::unique_ptr<ServerConnection> clone = bagc.CloneConnection();
    if (!OpenWithRetry(*clone, 1))
        return;
    TServerMethods1Client proxy(clone->DBXConnection());
    proxy.SepetVer2(sbilgi.CARINO()).AssignTo(sepet);
    SetFloatDisplayFormats(sepet);
}

bool TForm1::FormCloseQuery()
{
    const int answer = ShowMessageDialog(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"),
                                         MsgDlgType::Confirmation,
                                         {MsgDlgBtn::Yes, MsgDlgBtn::No}, MsgDlgBtn::Yes, 0);
    if (answer == mrYes)
        Platform::exitProcess(0);
    return false;  // the window itself never closes; the process ends
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery())
        event->ignore();
}

void TForm1::G1Click()
{
    close();
}

void TForm1::WebSiteMenuItemClick()
{
    Platform::openUrl(QUrl(clientConfig().webAddress));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::LayoutStockGrid()
{
    DataGrid *grid = cxGrid1;
    grid->beginUpdate();
    const bool wide = width() > kWideLimit;
    // Customers without campaign prices never get the campaign price back by a resize.
    const bool campaignPrices = sbilgi.MusteriTipi() != 4;
    for (const char *f : {"LISTEFIYAT1", "KAMPFIYAT", "NETFIYAT", "KDVDAHIL"})
        if (GridColumn *c = grid->column(QLatin1String(f)))
            c->setVisible(wide && (campaignPrices || c->fieldName() != QLatin1String("KAMPFIYAT")));
    if (GridColumn *c = grid->column(QStringLiteral("FIYATBILGISI")))
        c->setVisible(!wide);
    grid->setRowHeight(wide ? 60 : 100);
    // Widths by weight at every width, whatever the screen.
    grid->fitColumnsByTag(kWideLimit + 1);
    if (!wide) {
        for (const char *f : {"OEM1", "OEM2", "OEM3"})
            if (GridColumn *c = grid->column(QLatin1String(f)))
                c->setWidth(80);
        if (GridColumn *c = grid->column(QStringLiteral("FIYATBILGISI")))
            c->setWidth(150);
        grid->setRowHeight(100);
    }
    grid->endUpdate();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == cxGrid1 && araedit->isEnabled())
            LayoutStockGrid();
        else if (watched == cxGrid2 && cxGrid2->isEnabled())
            FitColumnsByTag(*cxGrid2);
        else if (watched == cxGrid6)
            FitColumnsByTag(*cxGrid6);
        else if (watched == cxkampanyali && cxkampanyali->isEnabled())
            FitColumnsByTag(*cxkampanyali);
    }
    return QMainWindow::eventFilter(watched, event);
}

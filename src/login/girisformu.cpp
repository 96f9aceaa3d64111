#include "girisformu.h"

#include "baglantiu.h"
#include "beklesinu.h"
#include "busyindicator.h"
#include "config.h"
#include "dialogs.h"
#include "dosyaindiru.h"
#include "formistekyeniu.h"
#include "inifile.h"
#include "openwithretry.h"
#include "uppercase.h"
#include "proxim.h"
#include "serverconnection.h"
#include "utils.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientVersion = 1;
const QString kSection = QStringLiteral("kullanici");

QLabel *amberLabel(const QString &text, QWidget *parent, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAutoFillBackground(true);
    l->setStyleSheet(QStringLiteral("background-color: #FFBF00; color: black;"));
    return l;
}

}  // namespace

Tgirisform::Tgirisform(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(QStringLiteral("Giriş"));
    setFixedSize(368, 550);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);

    // Background: the window's picture is artwork; a plain gradient stands in for it.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1f3b63, stop:1 #0b1a30);"));

    auto *form = new QWidget(this);
    form->setGeometry(rect());
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(24, 40, 24, 16);

    auto *title = new QLabel(QStringLiteral("Telvin Otomotiv"), form);
    QFont tf = f;
    tf.setPixelSize(26);
    title->setFont(tf);
    title->setStyleSheet(QStringLiteral("color: white;"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addStretch(1);

    auto *grid = new QGridLayout;
    Label1 = amberLabel(QStringLiteral(" Kullanıcı Adı:"), form, "Label1");
    adi = new QLineEdit(form);
    adi->setObjectName(QStringLiteral("adi"));
    ForceUpperCase(adi);
    Label2 = amberLabel(QStringLiteral(" Şifre:"), form, "Label2");
    sifre = new QLineEdit(form);
    sifre->setObjectName(QStringLiteral("sifre"));
    sifre->setEchoMode(QLineEdit::Password);
    ForceUpperCase(sifre);
    benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), form);
    benihatirla->setObjectName(QStringLiteral("benihatirla"));
    benihatirla->setChecked(true);
    benihatirla->setStyleSheet(QStringLiteral("color: white;"));
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(adi, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(sifre, 1, 1);
    grid->addWidget(benihatirla, 2, 1);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Giriş"), form);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    RxGIFAnimator1 = new BusyIndicator(form);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(28, 28);
    RxGIFAnimator1->setColor(Qt::white);
    RxGIFAnimator1->hide();
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), form);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    buttons->addWidget(Button1);
    buttons->addWidget(RxGIFAnimator1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    layout->addStretch(1);

    RxLabel1 = new QLabel(form);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setText(clientConfig().contactBlock);
    QFont cf(QStringLiteral("Arial"));
    cf.setPixelSize(15);
    cf.setBold(true);
    RxLabel1->setFont(cf);
    RxLabel1->setStyleSheet(QStringLiteral("color: white;"));
    RxLabel1->setAlignment(Qt::AlignCenter);
    RxLabel1->setWordWrap(true);
    layout->addWidget(RxLabel1);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, benihatirla);
    setTabOrder(benihatirla, adi);
    setTabOrder(adi, sifre);

    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);
    adi->installEventFilter(this);
    sifre->installEventFilter(this);

    FormCreate();
    adi->setFocus();
}

Tgirisform::~Tgirisform() = default;

QString Tgirisform::settingsPath()
{
    return GetSettingsFolder() + QStringLiteral("/ayar.ini");
}

void Tgirisform::FormCreate()
{
    idsi = GetComputerId();
    LoadSettings();
}

void Tgirisform::LoadSettings()
{
    if (!QFile::exists(settingsPath()))
        return;
    const IniFile ini(settingsPath());
    benihatirla->setChecked(ini.ReadBool(kSection, QStringLiteral("hatırla"), true));
    if (benihatirla->isChecked()) {
        adi->setText(ini.ReadString(kSection, QStringLiteral("isim"), QString()));
        sifre->setText(ini.ReadString(kSection, QStringLiteral("sifre"), QString()));
    }
}

void Tgirisform::SaveSettings()
{
    IniFile ini(settingsPath());
    ini.WriteString(kSection, QStringLiteral("isim"), adi->text());
    ini.WriteString(kSection, QStringLiteral("sifre"), sifre->text());
    ini.WriteBool(kSection, QStringLiteral("hatırla"), benihatirla->isChecked());
    ini.UpdateFile();
}

bool Tgirisform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == adi)
                adiKeyDown(key);
            else if (watched == sifre)
                sifreKeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::adiKeyDown(QKeyEvent *)
{
    if (adi->text().trimmed().isEmpty()) {
        Platform::playSound(16);
        ShowWarningBox(QStringLiteral("Lütfen kullanıcı adını giriniz !"));
        adi->selectAll();
        adi->setFocus();
        return;
    }
    sifre->selectAll();
    sifre->setFocus();
}

void Tgirisform::sifreKeyDown(QKeyEvent *)
{
    if (sifre->text().trimmed().isEmpty()) {
        Platform::playSound(16);
        ShowWarningBox(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        sifre->selectAll();
        sifre->setFocus();
        return;
    }
    Button1Click();
}

QString Tgirisform::GetExternalAddress()
{
    return QStringLiteral("127.0.0.1");
}

void Tgirisform::Button1Click()
{
    Button1->setText(QStringLiteral("Bağlanıyor..."));
    Button1->setEnabled(false);
    RxGIFAnimator1->show();
    auto address = std::make_shared<QString>();
    RunAsync([address] { *address = GetExternalAddress(); })->Await(this, [this, address] {
        Button1->setText(QStringLiteral("Giriş!"));
        RxGIFAnimator1->hide();
        Devamet(*address);
    });
}

void Tgirisform::Devamet(const QString &address)
{
    Bilgim->SetDisip(address);
    bagim->Params().SetValue(QStringLiteral("HostName"), clientConfig().serverHost);
    auto outcome = std::make_shared<bool>(false);
    RunAsync([this, outcome] { *outcome = FetchSessionRecord(); })->Await(this, [this, outcome] {
        Finish(*outcome);
    });
}

bool Tgirisform::FetchSessionRecord()
{
    // Runs on a worker with its own clone; only the live record is written, and nothing
    // else reads it while this dialog is open.
    std::unique_ptr<ServerConnection> clone = bagim->CloneConnection();
    if (!OpenWithRetry(*clone, 0))
        return false;
    try {
        TServerMethods1Client proxy(clone->DBXConnection());
        TSonucBilgisi *record = proxy.BuyukGetir(idsi);
        if (!record)
            return false;
        Bilgim->Kopyala(*record);
    } catch (const std::exception &) {
        return false;
    }
    clone->Close();
    Bilgim->SetBilgiSayarAdi(GetLocalComputerName());
    Bilgim->SetBilgisayarKullanici(GetWindowsUserName());
    Bilgim->SetIcip(GetLocalIp());
    Bilgim->SetBILGISAYARID(idsi);
    Bilgim->SetDisip(GetExternalAddress());
    return true;
}

void Tgirisform::Finish(bool outcome)
{
    RxGIFAnimator1->hide();
    if (!outcome) {
        Fail(QStringLiteral("Bağlantı Kurulamadı !"), int(MsgDlgType::Error));
        return;
    }
    if (Bilgim->Version() != kClientVersion)
        StartUpdate();
    if (!Bilgim->Varmi()) {
        OpenRequestForm(clientConfig().webRoot());
        Platform::exitProcess(0);
        reject();  // reached only when a test observes the exit
        return;
    }
    static const QString refused =
        QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
    if (Bilgim->ADI() == adi->text() && Bilgim->SIFRE() == sifre->text()) {
        SaveSettings();
    } else {
        Fail(refused, int(MsgDlgType::Warning));
        return;
    }
    if (Bilgim->AKTIF() != 1) {
        Fail(refused, int(MsgDlgType::Warning));
        return;
    }
    if (Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2) {
        if (!SelectCustomerAccount())
            return;
    }
    done(QDialog::Accepted);
}

void Tgirisform::Fail(const QString &message, int type)
{
    ShowMessageDialog(message, MsgDlgType(type), {MsgDlgBtn::OK}, MsgDlgBtn::OK, 0);
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
}

bool Tgirisform::SelectCustomerAccount()
{
    // The customer selection of sales representatives is not part of this program yet;
    // refuse the login plainly rather than act for an account nobody chose.
    Fail(QStringLiteral("Satış temsilcisi girişi bu sürümde henüz desteklenmiyor."),
         int(MsgDlgType::Warning));
    return false;
}

void Tgirisform::StartUpdate()
{
    Tdosyaindir window(this, Bilgim->Version());
    window.bag = bagim;
    ExecModal(&window);
}

void Tgirisform::OpenRequestForm(const QString &webRoot)
{
    Tformistekyeni form(this);
    form.setWindowTitle(QStringLiteral("Telvin Otomotiv B2B İstek Formu"));
    form.Navigate(webRoot + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + idsi);
    ExecModal(&form);
}

void Tgirisform::Button2Click()
{
    Platform::exitProcess(0);
    reject();  // reached only when a test observes the exit
}

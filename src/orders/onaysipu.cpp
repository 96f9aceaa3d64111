#include "onaysipu.h"

#include "baglantiu.h"
#include "dialogs.h"
#include "openwithretry.h"
#include "proxim.h"
#include "serverconnection.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// A radio group is a group box of radio buttons; each button's id in the QButtonGroup is
// the id the server attached to the item.
QGroupBox *makeRadioGroup(const char *name, const QString &caption, QButtonGroup *group,
                          QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(box);
    layout->setAlignment(Qt::AlignTop);
    group->setExclusive(true);
    return box;
}

void addRadioItem(QGroupBox *box, QButtonGroup *group, const QString &text, int id)
{
    auto *button = new QRadioButton(text, box);
    box->layout()->addWidget(button);
    group->addButton(button, id);
}

void clearRadioItems(QButtonGroup *group)
{
    const QList<QAbstractButton *> buttons = group->buttons();
    for (QAbstractButton *button : buttons) {
        group->removeButton(button);
        delete button;
    }
}

void setRadioItemIndex(QButtonGroup *group, int index)
{
    const QList<QAbstractButton *> buttons = group->buttons();
    if (index >= 0 && index < buttons.size())
        buttons.at(index)->setChecked(true);
}

// Fills a radio group from a table whose column 0 is the id and column 1 the name.
void fillRadioGroup(QGroupBox *box, QButtonGroup *group, DbxReader *rows)
{
    clearRadioItems(group);
    if (!rows)
        return;
    if (rows->ColumnCount() < 2)
        throw std::runtime_error("The server's list has fewer than two columns");
    while (rows->Next())
        addRadioItem(box, group, rows->Value(1).toString(), rows->Value(0).toInt());
}

void warn(const QString &text)
{
    ShowMessageDialog(text, MsgDlgType::Warning, {MsgDlgBtn::OK}, MsgDlgBtn::OK);
}

QLabel *makeLabel(const char *name, int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    // Texts come from the server and the session; never read them as markup.
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QFont fixedPitch(QFont font)
{
    font.setFamily(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

TONAYSIP::TONAYSIP(QWidget *AOwner, ServerConnection *_c, const QString &mesaj,
                   const TSonucBilgisi *_sbilgi, const QString &_toplam)
    : QDialog(AOwner),
      bagc(_c),
      sbilgi(_sbilgi),
      toplam(_toplam),
      m_teslimGroup(new QButtonGroup(this)),
      m_kargoGroup(new QButtonGroup(this))
{
    buildLayout();
    Label3->setText(mesaj);
    const QString adi = sbilgi ? sbilgi->ADI() : QString();
    const QString cariAdi = sbilgi ? sbilgi->CariAdi() : QString();
    Label2->setText(QStringLiteral("Kullanıcı: ") + adi + QStringLiteral("\r\n")
                    + QStringLiteral("Cari     : ") + cariAdi + QStringLiteral("\r\n")
                    + QStringLiteral("Tutar    : ") + toplam);
    LoadDeliveryAndCargoTypes();
}

TONAYSIP::~TONAYSIP() = default;

void TONAYSIP::buildLayout()
{
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    resize(894, 526);

    auto *band = new QWidget(this);
    band->setFixedHeight(171);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(0, 0, 0, 0);

    teslimbox = makeRadioGroup("teslimbox", QStringLiteral("Teslim Durumu"), m_teslimGroup, band);
    teslimbox->setFixedWidth(135);
    boxkargo = makeRadioGroup("boxkargo", QStringLiteral("Kargo Türleri"), m_kargoGroup, band);
    boxkargo->setFixedWidth(208);

    GroupBox1 = new QGroupBox(QStringLiteral("Kargo"), band);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedWidth(224);
    auto *kargoLayout = new QVBoxLayout(GroupBox1);
    kargocombo = new QComboBox(GroupBox1);  // not editable: pick only
    kargocombo->setObjectName(QStringLiteral("kargocombo"));
    uyarikargo = new QLabel(GroupBox1);
    uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
    uyarikargo->setTextFormat(Qt::PlainText);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    uyarikargo->setFixedSize(210, 59);
    kargoLayout->addWidget(kargocombo);
    kargoLayout->addWidget(uyarikargo);
    kargoLayout->addStretch();

    GroupBox2 = new QGroupBox(QStringLiteral("Mesaj"), band);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *mesajLayout = new QVBoxLayout(GroupBox2);
    aciklamagir = new QPlainTextEdit(GroupBox2);
    aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    QPalette memoPalette = aciklamagir->palette();
    memoPalette.setColor(QPalette::Base, QColor(0xF6, 0xF8, 0xFB));
    aciklamagir->setPalette(memoPalette);
    QFont memoFont = aciklamagir->font();
    memoFont.setBold(true);
    aciklamagir->setFont(memoFont);
    mesajLayout->addWidget(aciklamagir);

    bandLayout->addWidget(teslimbox);
    bandLayout->addWidget(boxkargo);
    bandLayout->addWidget(GroupBox1);
    bandLayout->addWidget(GroupBox2, 1);

    Label2 = makeLabel("Label2", 16, this);
    Label2->setFont(fixedPitch(Label2->font()));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3 = makeLabel("Label3", 16, this);
    Label3->setFont(fixedPitch(Label3->font()));
    Label3->setWordWrap(true);
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);

    Label1 = makeLabel("Label1", 20, this);
    Label1->setText(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    auto *bottom = new QWidget(this);
    bottom->setFixedHeight(81);
    auto *bottomLayout = new QHBoxLayout(bottom);
    Button1 = new QPushButton(QStringLiteral("Evet"), bottom);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(128);
    Button2 = new QPushButton(QStringLiteral("Hayır"), bottom);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFixedWidth(128);
    bottomLayout->addWidget(Button1);
    bottomLayout->addStretch();
    bottomLayout->addWidget(Button2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(band);
    layout->addWidget(Label2, 1);
    layout->addWidget(Label3);
    layout->addWidget(Label1);
    layout->addWidget(bottom);

    connect(m_kargoGroup, &QButtonGroup::buttonToggled, this,
            [this](QAbstractButton *, bool checked) {
                if (checked)
                    boxkargoClick();
            });
    // activated: the user's choice only; the code runs kargocomboChange itself when it
    // chooses the single company.
    connect(kargocombo, &QComboBox::activated, this, [this] { kargocomboChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TONAYSIP::LoadDeliveryAndCargoTypes()
{
    if (!bagc)
        return;
    const std::unique_ptr<ServerConnection> clone = bagc->CloneConnection();
    if (!OpenWithRetry(*clone, 1))
        return;
    {
        TServerMethods1Client proxy(clone->DBXConnection());
        fillRadioGroup(teslimbox, m_teslimGroup, proxy.TeslimVer());
    }
    // The second mode is the usual one; a single mode is taken as it is.
    setRadioItemIndex(m_teslimGroup, m_teslimGroup->buttons().size() == 1 ? 0 : 1);
    {
        TServerMethods1Client proxy(clone->DBXConnection());
        fillRadioGroup(boxkargo, m_kargoGroup, proxy.KargoVer());
    }
    clone->Close();
}

void TONAYSIP::boxkargoClick()
{
    uyarikargo->clear();
    QAbstractButton *checked = m_kargoGroup->checkedButton();
    if (checked)
        LoadCargoCompanies(m_kargoGroup->id(checked));
}

void TONAYSIP::clearCargoCompanies()
{
    kargocombo->clear();
    kargo.Close();
    uyarikargo->clear();
}

void TONAYSIP::LoadCargoCompanies(int gn)
{
    // Whatever happens, the list must never keep the companies of the previous cargo type:
    // an order would go out with a company that does not carry the chosen type.
    if (!bagc || !OpenWithRetry(*bagc, 1)) {
        clearCargoCompanies();
        return;
    }
    try {
        {
            TServerMethods1Client proxy(bagc->DBXConnection());
            DbxReader *rows = proxy.KargolarVer(gn);
            if (rows)
                rows->CopyTo(kargo);
            else
                kargo.Close();
        }
        bagc->Close();
        QStringList names{QStringLiteral(" ")};
        if (kargo.Active()) {
            const Field &adi = kargo.FieldByName(QStringLiteral("ADI"));
            for (int row = 0; row < kargo.RecordCount(); ++row)
                names << adi.stringAt(row);
        }
        kargocombo->clear();
        kargocombo->addItems(names);
    } catch (...) {
        bagc->Close();
        clearCargoCompanies();
        Platform::reportException(std::current_exception());
        return;
    }
    if (kargocombo->count() == 2) {
        kargocombo->setCurrentIndex(1);
        kargocomboChange();
    }
}

void TONAYSIP::kargocomboChange()
{
    // Combo items after the blank one follow the rows of kargo.
    const int row = kargocombo->currentIndex() - 1;
    try {
        if (row >= 0 && row < kargo.RecordCount()) {
            kargo.SetRecNo(row);
            uyarikargo->setText(kargo.FieldByName(QStringLiteral("UYARI")).AsString());
        } else {
            uyarikargo->clear();
        }
    } catch (...) {
        uyarikargo->clear();
    }
}

void TONAYSIP::Button1Click()
{
    RunReportingErrors([this] {
        if (confirm())
            accept();
    });
}

bool TONAYSIP::confirm()
{
    QAbstractButton *teslim = m_teslimGroup->checkedButton();
    if (!teslim) {
        warn(QStringLiteral("Lütfen Teslim Durumu Seçiniz !"));
        return false;
    }
    QAbstractButton *tur = m_kargoGroup->checkedButton();
    if (!tur) {
        warn(QStringLiteral("Lütfen Kargo Türünü Seçiniz !"));
        return false;
    }
    const int row = kargocombo->currentIndex() - 1;
    if (row < 0 || row >= kargo.RecordCount()) {
        warn(QStringLiteral("Lütfen Kargo  Seçiniz !"));
        kargocombo->setFocus();
        return false;
    }
    kargo.SetRecNo(row);
    KN = kargo.FieldByName(QStringLiteral("SIRANO")).AsInteger();
    td = m_teslimGroup->id(teslim);
    kt = m_kargoGroup->id(tur);
    return true;
}

#include "demogenerator.h"

#include "gifwriter.h"
#include "pdfdocuments.h"
#include "pricing.h"
#include "storage.h"

#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace {

const char *const kParts[] = {
    "FREN DİSKİ ÖN", "FREN DİSKİ ARKA", "FREN BALATASI ÖN", "FREN BALATASI ARKA",
    "YAĞ FİLTRESİ", "HAVA FİLTRESİ", "POLEN FİLTRESİ", "YAKIT FİLTRESİ", "AMORTİSÖR ÖN SAĞ",
    "AMORTİSÖR ÖN SOL", "AMORTİSÖR ARKA", "DEBRİYAJ SETİ", "TRİGER SETİ", "SU POMPASI",
    "RADYATÖR", "ROT BAŞI", "ROTİL", "SALINCAK ÖN SAĞ", "SALINCAK ÖN SOL", "BUJİ",
    "ATEŞLEME BOBİNİ", "MARŞ MOTORU", "ŞARJ DİNAMOSU", "V KAYIŞI", "TERMOSTAT",
    "EGZOZ SUSTURUCU", "SİLECEK SÜPÜRGESİ", "FAR AMPULÜ", "YAKIT POMPASI", "ENJEKTÖR",
    "KALORİFER MOTORU", "AKS KÖRÜĞÜ", "TEKER RULMANI", "MOTOR TAKOZU", "KAPI KİLİDİ",
    "DİKİZ AYNASI", "DİREKSİYON KUTUSU", "TURBO HORTUMU", "KRANK KEÇESİ", "SELENOİD"};
const char *const kMakes[] = {"TORVA", "KANDEMİR", "BRIXEN", "OTOMAX", "DURAPART", "VELTRA",
                              "NORDEN", "MARKOS"};
const char *const kModels[] = {"VEGA 1.4", "ORION 1.6", "LYRA 2.0", "NOVA 1.2",
                               "TERRA 1.5 DCI", "PULSAR 1.3", "ZENIT 1.9 D", "ASTRAL 1.6 16V"};
const char *const kGroups[] = {"FREN", "FİLTRE", "SÜSPANSİYON", "MOTOR", "ELEKTRİK",
                               "ŞANZIMAN", "KAPORTA", "SOĞUTMA"};
const char *const kCities[][2] = {{"İSTANBUL", "Ümraniye"}, {"ANKARA", "Ostim"},
                                  {"İZMİR", "Bornova"},     {"BURSA", "Nilüfer"},
                                  {"KONYA", "Karatay"},     {"ADANA", "Seyhan"}};
const char *const kFirms[] = {"Yıldız Oto Yedek Parça", "Güneş Otomotiv", "Kuzey Oto",
                              "Deniz Otomotiv Ltd.", "Ege Yedek Parça", "Başak Oto Servis",
                              "Çınar Otomotiv", "Özgür Oto Elektrik", "Toros Yedek Parça",
                              "Akın Oto Ticaret"};

QByteArray encode(const QImage &image, const char *format, int quality = 85)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QImage poster(int width, int height, QColor color, const QString &title, const QString &text)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, color.lighter(150));
    gradient.setColorAt(1, color.darker(160));
    p.fillRect(image.rect(), gradient);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(12, height / 7));
    p.setFont(font);
    p.drawText(image.rect().adjusted(16, 16, -16, -height / 2), Qt::AlignLeft | Qt::AlignTop,
               title);
    font.setBold(false);
    font.setPixelSize(qMax(10, height / 12));
    p.setFont(font);
    p.drawText(image.rect().adjusted(16, height / 2, -16, -16),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return image;
}

QImage partPicture(int seed, const QString &group)
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(245, 245, 245));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = QColor::fromHsv((seed * 47) % 360, 120, 160);
    p.setBrush(color);
    p.setPen(QPen(color.darker(150), 4));
    switch (seed % 3) {
    case 0:
        p.drawEllipse(QPoint(160, 110), 80, 80);
        p.setBrush(QColor(245, 245, 245));
        p.drawEllipse(QPoint(160, 110), 25, 25);
        break;
    case 1:
        p.drawRoundedRect(70, 40, 180, 130, 18, 18);
        break;
    default:
        p.drawRect(130, 20, 60, 170);
        p.drawRect(90, 150, 140, 40);
        break;
    }
    p.setPen(Qt::darkGray);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(18);
    p.setFont(font);
    p.drawText(QRect(0, 200, 320, 36), Qt::AlignCenter, group);
    return image;
}

QString code(QRandomGenerator &r)
{
    return QStringLiteral("%1-%2%3%4")
        .arg(r.bounded(10000, 99999))
        .arg(r.bounded(10))
        .arg(QChar(char16_t(u'A' + r.bounded(26))))
        .arg(r.bounded(100, 999));
}

double dayOffset(int days)
{
    return dateToDayNumber(QDate::currentDate().addDays(days));
}

}  // namespace

DemoGenerator::DemoGenerator(Storage &storage, Options options)
    : m_storage(storage), m_options(options), m_random(options.seed)
{
}

void DemoGenerator::run()
{
    m_storage.transaction([&] {
        content();
        people();
        stock();
        history();
    });
}

void DemoGenerator::content()
{
    m_storage.setSetting(QStringLiteral("kayan_yazi"),
                         QStringLiteral("<b>Telvin Otomotiv</b> B2B: Fren ve filtre grubunda "
                                        "<font color=\"#c00000\">%10'a varan</font> "
                                        "kampanya devam ediyor!"));
    m_storage.setSetting(QStringLiteral("search_limit"), QStringLiteral("10000"));
    m_storage.setSetting(QStringLiteral("mail_to"), QStringLiteral("siparis@telvin.example"));

    // The second delivery mode is the one the confirmation preselects.
    m_storage.insertDeliveryMode(QStringLiteral("Depodan Teslim"));
    m_storage.insertDeliveryMode(QStringLiteral("Kargo ile Gönderim"));
    m_storage.insertDeliveryMode(QStringLiteral("Servis Aracı"));
    const int contracted = m_storage.insertCargoType(QStringLiteral("Anlaşmalı Kargo"));
    const int collect = m_storage.insertCargoType(QStringLiteral("Alıcı Ödemeli"));
    const int freight = m_storage.insertCargoType(QStringLiteral("Ambar"));
    m_storage.insertCargoCompany(contracted, QStringLiteral("Hızır Kargo"),
                                 QStringLiteral("Saat 16:00'dan sonraki siparişler ertesi gün "
                                                "gönderilir."));
    m_storage.insertCargoCompany(contracted, QStringLiteral("Atlas Kargo"),
                                 QStringLiteral("Ağır koliler için ek ücret alınır."));
    m_storage.insertCargoCompany(collect, QStringLiteral("Mavi Nakliyat"),
                                 QStringLiteral("Ödeme teslimatta nakit yapılır."));
    m_storage.insertCargoCompany(freight, QStringLiteral("Doğu Ambarı"),
                                 QStringLiteral("Yalnızca Salı ve Perşembe yükleme yapılır."));

    const struct
    {
        const char *title, *search;
        QColor color;
    } openings[] = {{"Kampanyalı Ürünler", "#KAMPANYA#", QColor(200, 40, 40)},
                    {"Yeni Gelen Ürünler", "#YENİ#", QColor(30, 110, 190)},
                    {"Fren Diskleri", "FREN DISKI", QColor(60, 140, 70)}};
    int order = 0;
    for (const auto &o : openings) {
        ScreenRecord s;
        s.kind = ScreenRecord::Opening;
        s.order = ++order;
        s.title = QString::fromUtf8(o.title);
        s.search = QString::fromUtf8(o.search);
        s.picture = encode(poster(606, 480, o.color, s.title,
                                  QStringLiteral("Telvin Otomotiv bayilerine özel.")),
                           "JPEG");
        m_storage.insertScreen(s);
    }
    const struct
    {
        const char *title, *search, *text;
    } news[] = {{"Bayram Tatili", "", "Depomuz bayram boyunca kapalı olacaktır."},
                {"Filtre Kampanyası", "#KAMPANYA#", "Tüm filtrelerde ek %5 indirim."},
                {"Yeni Ürün Grubu", "#YENİ#", "Elektrik grubunda 300 yeni ürün."},
                {"Yağ Filtreleri", " YAG FILTRESI ", "Stoklarımız yenilendi."}};
    order = 0;
    for (const auto &n : news) {
        ScreenRecord s;
        s.kind = ScreenRecord::Announcement;
        s.order = ++order;
        s.title = QString::fromUtf8(n.title);
        s.search = QString::fromUtf8(n.search);
        s.picture = encode(poster(605, 405, QColor::fromHsv(order * 70, 150, 170), s.title,
                                  QString::fromUtf8(n.text)),
                           order % 2 ? "PNG" : "JPEG");
        m_storage.insertScreen(s);
    }

    QVector<QImage> frames;
    for (int i = 0; i < 4; ++i)
        frames.append(poster(409, 100, QColor::fromHsv(i * 90, 160, 180),
                             QStringLiteral("Telvin Otomotiv"),
                             QStringList{QStringLiteral("Hızlı teslimat"),
                                         QStringLiteral("Geniş stok"),
                                         QStringLiteral("Uygun fiyat"),
                                         QStringLiteral("7/24 sipariş")}[i]));
    m_storage.setBanner(1, GifWriter::write(frames, 80));
    m_storage.setBanner(2, GifWriter::write({poster(1200, 60, QColor(20, 60, 120),
                                                    QStringLiteral("Kampanya"),
                                                    QString())}));
    m_storage.setBanner(3, encode(poster(1200, 48, QColor(90, 90, 90),
                                         QStringLiteral("Telvin Otomotiv • Güvenilir parça"),
                                         QString()),
                                  "BMP"));
}

void DemoGenerator::people()
{
    const int rep1 = m_storage.insertSalesRep({0, QStringLiteral("Ahmet Yıldırım"),
                                               QStringLiteral("0532 111 22 33"),
                                               QStringLiteral("ahmet@telvin.example")});
    const int rep2 = m_storage.insertSalesRep({0, QStringLiteral("Selin Kaya"),
                                               QStringLiteral("0533 444 55 66"),
                                               QStringLiteral("selin@telvin.example")});
    m_accounts = m_options.small ? 6 : 60;
    for (int i = 1; i <= m_accounts; ++i) {
        AccountRecord a;
        a.id = i;
        a.code = QStringLiteral("120.01.%1").arg(i, 3, 10, QLatin1Char('0'));
        a.name = i == 1 ? QStringLiteral("Demo Oto Yedek Parça")
                        : QString::fromUtf8(kFirms[(i - 2) % 10])
                              + (i > 11 ? QStringLiteral(" %1").arg(i) : QString());
        a.repId = i % 3 == 0 ? rep2 : rep1;
        const auto &city = kCities[i % 6];
        a.city = QString::fromUtf8(city[0]);
        a.district = QString::fromUtf8(city[1]);
        a.country = QStringLiteral("TÜRKİYE");
        a.address1 = QStringLiteral("Sanayi Sitesi %1. Blok No:%2").arg(i % 9 + 1).arg(i);
        a.tel1 = QStringLiteral("0212 555 %1").arg(1000 + i);
        a.gsm = QStringLiteral("0530 555 %1").arg(2000 + i);
        a.fax1 = QStringLiteral("0212 555 %1").arg(3000 + i);
        a.email = QStringLiteral("cari%1@bayi.example").arg(i);
        a.taxOffice = QString::fromUtf8(city[1]);
        a.taxNumber = QStringLiteral("%1").arg(1000000000LL + i * 7919);
        a.contact = QStringLiteral("Yetkili %1").arg(i);
        a.mainGroup = QStringLiteral("BAYİ");
        a.subGroup = i % 2 ? QStringLiteral("A") : QStringLiteral("B");
        a.discount = (i % 4) * 2.5;
        a.dueDays = i % 2 ? 30 : 60;
        m_storage.insertAccount(a);
    }
    UserRecord dealer;
    dealer.name = QStringLiteral("DEMO");
    dealer.password = QStringLiteral("1234");
    dealer.accountId = 1;
    dealer.mail = QStringLiteral("demo@bayi.example");
    m_storage.bindMachine(dealerMachine(), m_storage.insertUser(dealer));
    UserRecord rep;
    rep.name = QStringLiteral("SATICI1");
    rep.password = QStringLiteral("1234");
    rep.role = 1;
    rep.repId = rep1;
    rep.mail = QStringLiteral("ahmet@telvin.example");
    m_storage.bindMachine(repMachine(), m_storage.insertUser(rep));
    rep.name = QStringLiteral("SATICI2");
    rep.role = 2;
    rep.repId = rep2;
    rep.mail = QStringLiteral("selin@telvin.example");
    m_storage.bindMachine(rep2Machine(), m_storage.insertUser(rep));
}

void DemoGenerator::stock()
{
    // A pool of pictures shared by the items: encoding one JPEG per item would dominate
    // the seeding time for the larger data sets.
    const int pictureCount = qMin(m_options.stockItems, m_options.small ? 12 : 120);
    QVector<int> pictures;
    for (int i = 0; i < pictureCount; ++i)
        pictures.append(m_storage.insertPicture(
            encode(partPicture(i, QString::fromUtf8(kGroups[i % 8])), "JPEG", 80)));

    const int parts = int(sizeof kParts / sizeof kParts[0]);
    std::vector<StockRecord> batch;
    batch.reserve(5000);
    for (int i = 1; i <= m_options.stockItems; ++i) {
        auto &r = m_random;
        StockRecord s;
        s.id = i;
        const int part = int(r.bounded(parts));
        const int make = int(r.bounded(8));
        s.code = code(r);
        s.name = QString::fromUtf8(kParts[part]) + QLatin1Char(' ')
                 + QString::fromUtf8(kModels[r.bounded(8)]);
        s.otherName = QString::fromUtf8(kParts[part]).toLower();
        for (auto &oem : s.oem)
            oem = r.bounded(3) == 0 ? QString() : code(r);
        s.oemNo = s.oem[0].isEmpty() ? code(r) : s.oem[0];
        s.finishCode = QStringLiteral("FK%1").arg(100000 + i);
        s.makerCode = QStringLiteral("%1.%2").arg(QString::fromUtf8(kMakes[make]).left(3))
                          .arg(r.bounded(1000, 9999));
        s.barcodeNo = int(r.bounded(100000, 999999));
        s.make = QString::fromUtf8(kMakes[make]);
        s.model = QString::fromUtf8(kModels[r.bounded(8)]);
        s.mainGroup = QString::fromUtf8(kGroups[part % 8]);
        s.specialCode = QStringLiteral("OZ%1").arg(part % 10);
        const int availability = int(r.bounded(100));
        s.availability = availability < 70 ? 1 : availability < 80 ? 0 : 2 + availability % 4;
        s.pictureId = r.bounded(10) < 8 ? pictures[int(r.bounded(pictureCount))] : 0;
        s.isNew = r.bounded(100) < 3 ? 1 : 0;
        s.vat = r.bounded(10) == 0 ? 10 : 20;
        s.listPrice = Pricing::round2(50 + r.bounded(500000) / 100.0);
        s.campaign = r.bounded(100) < 4 ? 1 : 0;
        s.campaignPrice = s.campaign ? Pricing::round2(s.listPrice * 0.85) : 0;
        s.discounts = {double(r.bounded(4) * 5), r.bounded(3) == 0 ? 5.0 : 0.0,
                       r.bounded(10) == 0 ? 2.5 : 0.0, 0.0};
        s.onHand = double(r.bounded(200));
        s.orderedFromSuppliers = double(r.bounded(4) * 10);
        Pricing::priceStock(s);
        batch.push_back(s);
        if (batch.size() == 5000) {
            m_storage.saveStock(batch);
            batch.clear();
        }
    }
    m_storage.saveStock(batch);
    m_stockCount = m_options.stockItems;
}

void DemoGenerator::history()
{
    if (m_stockCount == 0)
        return;
    auto &r = m_random;
    int historicLine = 900000000;  // far above the basket's own line numbers
    const int ordersPerAccount = m_options.small ? 3 : 5;
    for (int account = 1; account <= m_accounts; ++account) {
        const auto acc = m_storage.account(account);
        const int user = account == 1 ? 1 : 0;
        // Opening balance, then orders, invoices and collections.
        StatementEntryRecord opening;
        opening.date = dayOffset(-200);
        opening.kind = QStringLiteral("Devir");
        opening.document = QStringLiteral("DEVIR");
        opening.debit = Pricing::round2(1000 + r.bounded(500000) / 100.0);
        opening.note = QStringLiteral("Açılış bakiyesi");
        m_storage.insertStatementEntry(account, opening);

        for (int o = 0; o < ordersPerAccount; ++o) {
            OrderRecord order;
            order.accountId = account;
            order.userId = user;
            order.date = dayOffset(-int(r.bounded(90)) - (o == 0 ? 0 : 1));
            order.time = QStringLiteral("%1:%2").arg(9 + r.bounded(8)).arg(r.bounded(10, 59));
            order.deliveryId = 2;
            order.cargoTypeId = 1;
            order.cargoCompanyId = 1;
            order.customerNote = QStringLiteral("Acil gönderim rica ederiz.");
            order.distributorNote = o % 2 ? QStringLiteral("Eksikler tamamlanınca gönderilecek.")
                                          : QString();
            order.repNote = o == 1 ? QStringLiteral("Fiyat teyit edildi.") : QString();
            order.status = 2 + int(r.bounded(6));
            std::vector<OrderLineRecord> lines;
            const int lineCount = 1 + int(r.bounded(5));
            for (int l = 0; l < lineCount; ++l) {
                const auto stock = m_storage.stock(1 + int(r.bounded(m_stockCount)));
                OrderLineRecord line;
                line.basketLineId = ++historicLine;
                line.stockId = stock->id;
                line.code = stock->code;
                line.name = stock->name;
                const double quantity = 1 + r.bounded(10);
                line.amounts = Pricing::line(quantity, stock->price, stock->vat,
                                             stock->discounts);
                line.firstPrice = stock->price;
                line.delivered = order.status == 7 ? quantity
                                                   : std::floor(quantity * r.bounded(100) / 100);
                line.open = quantity - line.delivered;
                lines.push_back(line);
            }
            m_storage.insertOrder(order, lines);
        }

        const int invoices = m_options.small ? 3 : 6;
        for (int i = 0; i < invoices; ++i) {
            InvoiceRecord inv;
            inv.accountId = account;
            inv.repId = acc->repId;
            inv.date = dayOffset(-180 + i * 30 + int(r.bounded(10)));
            inv.time = QStringLiteral("14:%1").arg(10 + i);
            inv.number = QStringLiteral("TLV%1").arg(account * 1000 + i, 6, 10, QLatin1Char('0'));
            inv.dueDays = acc->dueDays;
            const int lineCount = 1 + int(r.bounded(5));
            for (int l = 0; l < lineCount; ++l) {
                const auto stock = m_storage.stock(1 + int(r.bounded(m_stockCount)));
                InvoiceLineRecord line;
                line.stockId = stock->id;
                line.amounts = Pricing::line(1 + r.bounded(8), stock->price, stock->vat,
                                             stock->discounts);
                inv.lines.push_back(line);
            }
            m_storage.insertInvoice(inv);
        }

        const int collections = m_options.small ? 2 : 4;
        for (int c = 0; c < collections; ++c) {
            CollectionRecord col;
            col.accountId = account;
            col.date = dayOffset(-160 + c * 40 + int(r.bounded(10)));
            col.due = col.date + 30;
            col.amount = Pricing::round2(500 + r.bounded(300000) / 100.0);
            col.number = QStringLiteral("THS%1").arg(account * 100 + c, 6, 10, QLatin1Char('0'));
            col.time = QStringLiteral("10:%1").arg(10 + c);
            col.ref = QStringLiteral("REF%1").arg(r.bounded(100000, 999999));
            const bool card = c % 2 == 0;
            col.method = card ? QStringLiteral("Kredi Kartı") : QStringLiteral("Havale");
            col.note = card ? QStringLiteral("Sanal POS tahsilatı") : QStringLiteral("Banka havalesi");
            if (card) {
                col.cardHolder = acc->contact.toUpper();
                col.cardNumber = QStringLiteral("4543 **** **** %1").arg(r.bounded(1000, 9999));
                static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
                col.receiptPdf = PdfDocuments::write(
                    QStringLiteral("Sanal POS Ödeme Makbuzu"),
                    {{QStringLiteral("Cari:"), acc->code + QLatin1Char(' ') + acc->name},
                     {QStringLiteral("Tarih:"),
                      dayNumberToDate(col.date).toString(QStringLiteral("dd.MM.yyyy"))},
                     {QStringLiteral("Kart Sahibi:"), col.cardHolder},
                     {QStringLiteral("Kart No:"), col.cardNumber},
                     {QStringLiteral("Tutar:"), turkish.toString(col.amount, 'f', 2)
                                                    + QStringLiteral(" TL")},
                     {QStringLiteral("Referans:"), col.ref}});
            }
            m_storage.insertCollection(col);
        }
    }

    // The demo dealer starts with a small basket.
    const auto dealer = m_storage.userByName(QStringLiteral("DEMO"));
    for (int i = 0; i < 2; ++i) {
        const auto stock = m_storage.stock(1 + i * 7 % m_stockCount);
        BasketLineRecord line;
        line.accountId = 1;
        line.stockId = stock->id;
        line.userId = dealer ? dealer->id : 0;
        line.code = stock->code;
        line.name = stock->name;
        line.campaign = stock->campaign;
        line.amounts = Pricing::line(2 + i, stock->price, stock->vat, stock->discounts);
        line.date = dayOffset(0);
        line.time = QStringLiteral("09:30");
        m_storage.insertBasketLine(line);
    }
}

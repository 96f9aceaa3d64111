#include "config.h"

ClientConfig &clientConfig()
{
    static ClientConfig config{
        QStringLiteral(TELVIN_SERVER_HOST), QStringLiteral(TELVIN_SERVER_PORT),
        QStringLiteral(TELVIN_WEB_ADDRESS), QStringLiteral(TELVIN_DOWNLOAD_HOST),
        QStringLiteral(TELVIN_PAYMENT_PAGE),
        QStringLiteral("TELVİN OTOMOTİV YEDEK PARÇA SAN. TİC. LTD. ŞTİ.\n"
                       "Sanayi Mah. Oto Sanayi Sitesi 12. Blok No: 4 Bursa\n"
                       "V.D.: Nilüfer  V.No: 8350012345\n"
                       "GSM: 0 532 000 00 00  e-posta: siparis@telvinotomotiv.com.tr")};
    return config;
}

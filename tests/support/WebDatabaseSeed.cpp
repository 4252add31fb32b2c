#include "support/WebDatabaseSeed.h"

#include "image/ImageObject.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace mivotest {

WdbcRow SiteRow(const std::string& id, const std::string& orderUrl, const std::string& homePage,
                const std::string& pictureFile, const std::string& picturePath, const std::string& updateTime,
                const std::string& provider, const std::string& hidden)
{
    WdbcRow row(20);
    row[0] = id;
    row[1] = "1";
    row[2] = orderUrl;
    row[4] = homePage;
    row[5] = pictureFile;
    row[6] = picturePath;
    row[13] = "02-555-" + id.substr(id.size() > 4 ? id.size() - 4 : 0);
    row[14] = "02-556-" + id.substr(id.size() > 4 ? id.size() - 4 : 0);
    row[15] = updateTime;
    row[16] = hidden;
    row[19] = provider;
    return row;
}

std::string MakePicture(const std::string& name, unsigned long colour, int width, int height)
{
    char folder[] = "/tmp/mivo-picture-XXXXXX";
    if (!mkdtemp(folder))
        return std::string();
    std::string posix = std::string(folder) + "/" + name;
    std::string windowsPath = "C:" + posix;
    CImageObject maker;
    CImageObject* picture = maker.MakeBlankImageObject((COLORREF)colour, width, height);
    std::string bytes;
    if (picture) {
        const int border = 6;
        const int radius = (width < height ? width : height) / 4;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int dx = x - width / 2, dy = y - height / 2;
                bool frame = (x >= border && x < border + 4) || (x < width - border && x >= width - border - 4) ||
                             (y >= border && y < border + 4) || (y < height - border && y >= height - border - 4);
                if (frame || dx * dx + dy * dy <= radius * radius)
                    picture->SetPixelColor(x, y, RGB(255, 255, 255));
            }
        }
        picture->SetJPGQuality(95);
        if (picture->Save(windowsPath.c_str())) {
            std::ifstream in(posix, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        delete picture;
    }
    unlink(posix.c_str());
    rmdir(folder);
    return bytes;
}

std::string MakeBanner(int width, int height)
{
    char folder[] = "/tmp/mivo-banner-XXXXXX";
    if (!mkdtemp(folder))
        return std::string();
    std::string posix = std::string(folder) + "/banner.jpg";
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(30, 60, 140), width, height));
    std::string bytes;
    if (picture) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int sx = x - width * 4 / 5, sy = y - height / 3;
                bool frame = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
                bool sun = sx * sx + sy * sy <= (height / 5) * (height / 5);
                int hill = height - 6 - (int)(height / 4.0 * (1 + ((x / 25) % 2 ? (x % 25) : 25 - x % 25) / 25.0));
                if (frame)
                    picture->SetPixelColor(x, y, RGB(255, 255, 255));
                else if (sun)
                    picture->SetPixelColor(x, y, RGB(250, 180, 40));
                else if (y > hill && x < width * 3 / 5)
                    picture->SetPixelColor(x, y, RGB(60, 170, 70));
            }
        }
        picture->SetJPGQuality(95);
        if (picture->Save(("C:" + posix).c_str())) {
            std::ifstream in(posix, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    unlink(posix.c_str());
    rmdir(folder);
    return bytes;
}

void SeedDemo(WebDatabaseStub& stub)
{
    stub.SetProcedure("SP_MIVO_ORDER_NOTICE", {
        {"Mivo 온라인 인화 서비스를 이용해 주셔서 감사합니다."},
        {""},
        {"  주문 & 배송: 평일 오후 3시 이전 주문은 당일 발송됩니다."},
        {"  문의: 고객센터 1588-0000 (평일 09:00 ~ 18:00)"},
    });
    const std::string time = "2026-12-01 10:00:00";
    std::vector<WdbcRow> sites = {
        SiteRow("S1001", "http://sajin.example.co.kr/order", "http://sajin.example.co.kr/", "sajin.jpg",
                "/pics/sajin.jpg", time),
        SiteRow("S1002", "MivoOrderNet.exe", "http://vantrel.example.co.kr/", "vantrel.bmp", "/pics/vantrel.bmp",
                time, "Vantrel"),
        SiteRow("S1003", "http://copy.example.co.kr/order", "www.copy.example.co.kr", "copy.jpg", "/pics/copy.jpg",
                time, "vantrel"),
        SiteRow("S1004", "http://nohome.example.co.kr/order", "", "nohome.bmp", "/pics/nohome.bmp", time),
        SiteRow("S1005", "http://lost.example.co.kr/order", "http://lost.example.co.kr/", "lost.jpg",
                "/pics/lost.jpg", time),
        SiteRow("S1006", "http://hidden.example.co.kr/order", "http://hidden.example.co.kr/", "hidden.jpg",
                "/pics/hidden.jpg", time, "Partner", "Y"),
        SiteRow("S1007", "http://small.example.co.kr/order", "http://small.example.co.kr/", "small.bmp",
                "/pics/small.bmp", time),
        SiteRow("S1008", "http://wide.example.co.kr/order", "http://wide.example.co.kr/", "wide.jpg",
                "/pics/wide.jpg", time),
    };
    sites[1][3] = "/programs/MivoOrderNet.exe";
    stub.SetProcedure("SP_MIVO_SITE_LIST", sites);
    stub.SetFile("/pics/sajin.jpg", MakePicture("sajin.jpg", RGB(210, 60, 50), 180, 140));
    stub.SetFile("/pics/vantrel.bmp", MakePicture("vantrel.bmp", RGB(40, 90, 200), 260, 200));
    stub.SetFile("/pics/copy.jpg", MakePicture("copy.jpg", RGB(50, 160, 80), 196, 196));
    stub.SetFile("/pics/nohome.bmp", MakePicture("nohome.bmp", RGB(230, 170, 30), 150, 110));
    stub.SetFile("/pics/hidden.jpg", MakePicture("hidden.jpg", RGB(0, 0, 0), 100, 100));
    stub.SetFile("/pics/small.bmp", MakePicture("small.bmp", RGB(140, 60, 170), 96, 72));
    stub.SetFile("/pics/wide.jpg", MakePicture("wide.jpg", RGB(20, 150, 160), 400, 180));
    stub.SetFile("/programs/MivoOrderNet.exe", "#!/bin/sh\necho 'Mivo order program'\n");
    // The advertising band's page: the banner, a link to the order page.
    stub.SetFile("/ad/mivo_ad.html",
                 "<html><body leftmargin=0 topmargin=0><a href=\"http://127.0.0.1/order/\">"
                 "<img src=\"mivo_ad.jpg\" width=202 height=52 alt=\"Mivo 온라인 인화\"></a></body></html>");
    stub.SetFile("/ad/mivo_ad.jpg", MakeBanner(202, 52));
    // A community member for the settings dialog ("mivo", password "mivo").
    stub.SetMember({"mivo", "mivo", "김미보", "여", "1985-04-12", "양력", "서울특별시 중구 세종대로 110",
                    "mivo@example.co.kr", "Mivo Lite", "2026-12-01"});
}

}  // namespace mivotest

#include "afx/HtmlImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

std::shared_ptr<const mivo::afx::HtmlPicture> mivo::afx::DecodeHtmlImage(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > kHtmlImageByteLimit)
        return nullptr;
    QByteArray data(bytes.data(), (qsizetype)bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The size comes from the header: a picture claiming too much is never decoded.
    QSize size = reader.size();
    if (!size.isValid() || size.width() <= 0 || size.height() <= 0 || size.width() > kHtmlImageSideLimit ||
        size.height() > kHtmlImageSideLimit || (long long)size.width() * size.height() > kHtmlImagePixelLimit)
        return nullptr;
    QImage image = reader.read();
    if (image.isNull() || image.width() != size.width() || image.height() != size.height())
        return nullptr;
    image = image.convertToFormat(QImage::Format_RGB32);
    auto picture = std::make_shared<HtmlPicture>();
    picture->width = image.width();
    picture->height = image.height();
    picture->pixels.resize((size_t)picture->width * (size_t)picture->height);
    for (int y = 0; y < picture->height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < picture->width; ++x)
            picture->pixels[(size_t)y * picture->width + x] = row[x] & 0x00FFFFFF;
    }
    return picture;
}

// The link to the desktop's clipboard through Qt: text as UTF-8, pictures as images.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QThread>

#include "gdi/QtApp.h"
#include "dialogs/ClipboardInternal.h"
#include "win32/clipboard.h"
#include "mivo/clipboard.h"

#include <atomic>

namespace mivo {

namespace {

std::atomic<long> g_changes{0};
long g_known = -1;  // the change count of what we last wrote or read; -1 before the first look
SystemClipboardData g_published;

QClipboard* Board()
{
    if (!SystemClipboardReachable())
        return nullptr;
    QClipboard* board = QGuiApplication::clipboard();
    static bool connected = false;
    if (board && !connected) {
        connected = true;
        QObject::connect(board, &QClipboard::dataChanged, [] { ++g_changes; });
    }
    return board;
}

bool SameContent(const SystemClipboardData& a, const SystemClipboardData& b)
{
    return a.hasText == b.hasText && a.utf8 == b.utf8 && a.hasImage == b.hasImage && a.width == b.width &&
           a.height == b.height;
}

SystemClipboardData ReadBoard(QClipboard* board)
{
    SystemClipboardData data;
    const QMimeData* mime = board->mimeData(QClipboard::Clipboard);
    if (!mime)
        return data;
    if (mime->hasText()) {
        data.hasText = true;
        data.utf8 = mime->text().toStdString();
    }
    if (mime->hasImage()) {
        QImage image = qvariant_cast<QImage>(mime->imageData());
        // A picture beyond what a DIB of the era could hold stays behind.
        if (!image.isNull() && image.width() <= 16384 && image.height() <= 16384) {
            image = image.convertToFormat(QImage::Format_RGB32);
            data.hasImage = true;
            data.width = image.width();
            data.height = image.height();
            data.pixels.resize((size_t)data.width * (size_t)data.height);
            for (int y = 0; y < data.height; ++y) {
                const QRgb* row = (const QRgb*)image.constScanLine(y);
                for (int x = 0; x < data.width; ++x)
                    data.pixels[(size_t)y * (size_t)data.width + (size_t)x] = row[x] & 0x00FFFFFF;
            }
        }
    }
    return data;
}

}  // namespace

bool SystemClipboardReachable()
{
    EnsureQtApplication();
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool SystemClipboardChangedElsewhere()
{
    QClipboard* board = Board();
    if (!board)
        return false;
    long now = g_changes.load();
    if (g_known == now)
        return false;
    g_known = now;
    SystemClipboardData data = ReadBoard(board);
    if (SameContent(data, g_published))
        return false;
    g_published = data;
    g_published.pixels.clear();
    return true;
}

SystemClipboardData ReadSystemClipboard()
{
    QClipboard* board = Board();
    return board ? ReadBoard(board) : SystemClipboardData();
}

void WriteSystemClipboard(const SystemClipboardData& data)
{
    QClipboard* board = Board();
    if (!board)
        return;
    auto* mime = new QMimeData;
    if (data.hasText)
        mime->setText(QString::fromStdString(data.utf8));
    if (data.hasImage && data.width > 0 && data.height > 0 &&
        data.pixels.size() == (size_t)data.width * (size_t)data.height) {
        QImage image(data.width, data.height, QImage::Format_RGB32);
        for (int y = 0; y < data.height; ++y) {
            QRgb* row = (QRgb*)image.scanLine(y);
            for (int x = 0; x < data.width; ++x)
                row[x] = 0xFF000000u | data.pixels[(size_t)y * (size_t)data.width + (size_t)x];
        }
        mime->setImageData(image);
    }
    board->setMimeData(mime, QClipboard::Clipboard);
    g_published = data;
    g_published.pixels.clear();
    g_known = g_changes.load();
}

bool GetSystemClipboardText(std::string& utf8)
{
    SystemClipboardData data = ReadSystemClipboard();
    if (!data.hasText)
        return false;
    utf8 = data.utf8;
    return true;
}

bool SetSystemClipboardText(const std::string& utf8)
{
    QClipboard* board = Board();
    if (!board)
        return false;
    board->setText(QString::fromStdString(utf8), QClipboard::Clipboard);
    return true;
}

}  // namespace mivo

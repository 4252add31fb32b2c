#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTransform>

#include "gdi/QtApp.h"
#include "gdi/FontEngine.h"
#include "gdi/Objects.h"
#include "gdi/TextCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace mivo {
namespace gdi {

class RealizedFont {
public:
    QFont font;
    FontMetricsInfo metrics;
    mutable std::unordered_map<char32_t, int> advances;
    mutable std::unordered_map<char32_t, Glyph> glyphs;
};

namespace {

constexpr int kMaxPixelSize = 4096;

struct Alias {
    const char* windowsName;  // UTF-8
    const char* family;
};

// Windows face names and the installed families that stand in for them.
const Alias kAliases[] = {
    {u8"굴림", u8"NanumGothic"},
    {u8"Gulim", u8"NanumGothic"},
    {u8"굴림체", u8"NanumGothicCoding"},
    {u8"GulimChe", u8"NanumGothicCoding"},
    {u8"새굴림", u8"NanumGothic"},
    {u8"돋움", u8"NanumGothic"},
    {u8"Dotum", u8"NanumGothic"},
    {u8"돋움체", u8"NanumGothicCoding"},
    {u8"DotumChe", u8"NanumGothicCoding"},
    {u8"맑은 고딕", u8"NanumBarunGothic"},
    {u8"Malgun Gothic", u8"NanumBarunGothic"},
    {u8"바탕", u8"NanumMyeongjo"},
    {u8"Batang", u8"NanumMyeongjo"},
    {u8"바탕체", u8"NanumMyeongjo"},
    {u8"BatangChe", u8"NanumMyeongjo"},
    {u8"궁서", u8"NanumMyeongjo"},
    {u8"Gungsuh", u8"NanumMyeongjo"},
    {u8"궁서체", u8"NanumMyeongjo"},
    {u8"GungsuhChe", u8"NanumMyeongjo"},
    {u8"Arial", u8"Liberation Sans"},
    {u8"Helvetica", u8"Liberation Sans"},
    {u8"Arial Narrow", u8"Liberation Sans Narrow"},
    {u8"Times New Roman", u8"Liberation Serif"},
    {u8"Times", u8"Liberation Serif"},
    {u8"Courier New", u8"Liberation Mono"},
    {u8"Courier", u8"Liberation Mono"},
    {u8"Fixedsys", u8"NanumGothicCoding"},
    {u8"Terminal", u8"NanumGothicCoding"},
    {u8"MS Sans Serif", u8"NanumGothic"},
    {u8"Microsoft Sans Serif", u8"NanumGothic"},
    {u8"MS Shell Dlg", u8"NanumGothic"},
    {u8"MS Shell Dlg 2", u8"NanumGothic"},
    {u8"System", u8"NanumGothic"},
    {u8"Tahoma", u8"NanumGothic"},
    {u8"Verdana", u8"NanumGothic"},
};

// The Windows names EnumFontFamilies offers, in this order.
const char* const kOfferedNames[] = {u8"굴림", u8"굴림체", u8"돋움", u8"돋움체", u8"바탕", u8"바탕체", u8"궁서", u8"궁서체",
                                     u8"Arial", u8"Courier New", u8"Times New Roman"};

const char* const kDefaultFamily = "NanumGothic";

QString FaceOf(const LOGFONTA& lf)
{
    size_t len = strnlen(lf.lfFaceName, LF_FACESIZE);
    std::u16string wide = AnsiToWide(lf.lfFaceName, len);
    QString face = QString::fromUtf16(wide.data(), (qsizetype)wide.size()).trimmed();
    if (face.startsWith(QLatin1Char('@')))
        face.remove(0, 1);
    return face;
}

bool HasFamily(const QString& family)
{
    static std::map<QString, bool> known;
    auto it = known.find(family);
    if (it != known.end())
        return it->second;
    bool has = false;
    for (const QString& f : QFontDatabase::families())
        if (f.compare(family, Qt::CaseInsensitive) == 0) {
            has = true;
            break;
        }
    known[family] = has;
    return has;
}

QString FamilyFor(const LOGFONTA& lf)
{
    QString face = FaceOf(lf);
    for (const Alias& a : kAliases)
        if (face.compare(QString::fromUtf8(a.windowsName), Qt::CaseInsensitive) == 0) {
            QString family = QString::fromUtf8(a.family);
            if (HasFamily(family))
                return family;
            break;
        }
    if (!face.isEmpty() && HasFamily(face))
        return face;
    int family = lf.lfPitchAndFamily & 0xF0;
    int pitch = lf.lfPitchAndFamily & 0x03;
    if (family == FF_ROMAN)
        return QStringLiteral("NanumMyeongjo");
    if (family == FF_MODERN || pitch == FIXED_PITCH)
        return QStringLiteral("NanumGothicCoding");
    return QString::fromUtf8(kDefaultFamily);
}

bool KoreanFamily(const QString& family)
{
    return family.startsWith(QStringLiteral("Nanum"), Qt::CaseInsensitive);
}

void SetPixelSize(QFont& font, int px)
{
    font.setPixelSize(std::max(1, std::min(px, kMaxPixelSize)));
}

// Pixel size whose ascent + descent is the requested cell height.
int PixelSizeForCell(QFont font, int cell)
{
    SetPixelSize(font, 1000);
    QFontMetricsF probe(font);
    double ratio = (probe.ascent() + probe.descent()) / 1000.0;
    if (ratio <= 0)
        ratio = 1.0;
    int px = std::max(1, (int)std::lround(cell / ratio));
    for (int i = 0; i < 4 && px > 1; ++i) {
        SetPixelSize(font, px);
        QFontMetrics fm(font);
        if (fm.ascent() + fm.descent() <= cell)
            break;
        --px;
    }
    return px;
}

std::shared_ptr<RealizedFont> Build(const LOGFONTA& lf, int deviceHeight, int deviceWidth)
{
    auto rf = std::make_shared<RealizedFont>();
    QFont& font = rf->font;
    QString family = FamilyFor(lf);
    // Hangul missing from a Latin face falls back to a Korean one.
    font.setFamilies(QStringList{family, QString::fromUtf8(kDefaultFamily), QStringLiteral("DejaVu Sans")});
    font.setStyleStrategy(QFont::PreferOutline);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(lf.lfItalic != 0);
    // The engine's underline may lie below the descent, on the next line's pixels: GDI draws it itself.
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoAntialias));
    int px;
    if (deviceHeight < 0)
        px = -deviceHeight;
    else if (deviceHeight > 0)
        px = PixelSizeForCell(font, std::min(deviceHeight, kMaxPixelSize));
    else
        px = 12;
    SetPixelSize(font, px);
    if (deviceWidth > 0) {
        QFontMetrics fm(font);
        int avg = std::max(1, fm.averageCharWidth());
        font.setStretch(std::max(1, std::min(4000, deviceWidth * 100 / avg)));
    }
    QFontMetrics fm(font);
    FontMetricsInfo& m = rf->metrics;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.height = m.ascent + m.descent;
    m.emSize = font.pixelSize();
    m.internalLeading = std::max(0, m.height - m.emSize);
    m.externalLeading = std::max(0, fm.leading());
    m.aveCharWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('x')));
    m.maxCharWidth = std::max(m.aveCharWidth, fm.maxWidth());
    m.fixedPitch = QFontInfo(font).fixedPitch();
    m.korean = KoreanFamily(family);
    m.underline = lf.lfUnderline != 0;
    return rf;
}

struct FontCache {
    std::map<std::string, std::shared_ptr<RealizedFont>> entries;
};

FontCache& Cache()
{
    static FontCache* cache = new FontCache;
    return *cache;
}

}  // namespace

std::shared_ptr<RealizedFont> RealizeFontUncached(const LOGFONTA& lf, int deviceHeight, int deviceWidth);

namespace {

// The font a thread realized last: drawing asks for the same one call after call.
struct LastFont {
    LOGFONTA lf;
    int height = 0, width = 0;
    std::shared_ptr<RealizedFont> font;

    static size_t FaceLength(const LOGFONTA& f) { return strnlen(f.lfFaceName, LF_FACESIZE); }
    bool Matches(const LOGFONTA& other, int h, int w) const
    {
        return font && h == height && w == width &&
               std::memcmp(&lf, &other, offsetof(LOGFONTA, lfFaceName)) == 0 &&
               FaceLength(lf) == FaceLength(other) && std::memcmp(lf.lfFaceName, other.lfFaceName, FaceLength(lf)) == 0;
    }
};

}  // namespace

std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTA& lf, int deviceHeight, int deviceWidth)
{
    thread_local LastFont last;
    if (last.Matches(lf, deviceHeight, deviceWidth))
        return last.font;
    std::shared_ptr<RealizedFont> font = RealizeFontUncached(lf, deviceHeight, deviceWidth);
    last.lf = lf;
    last.height = deviceHeight;
    last.width = deviceWidth;
    last.font = font;
    return font;
}

std::shared_ptr<RealizedFont> RealizeFontUncached(const LOGFONTA& lf, int deviceHeight, int deviceWidth)
{
    std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONTA, lfFaceName));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    key.push_back('\0');
    key.append(std::to_string(deviceHeight)).push_back(',');
    key.append(std::to_string(deviceWidth));
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    FontCache& cache = Cache();
    auto it = cache.entries.find(key);
    if (it != cache.entries.end())
        return it->second;
    EnsureQtApplication();
    std::shared_ptr<RealizedFont> rf = Build(lf, deviceHeight, deviceWidth);
    if (cache.entries.size() > 512)
        cache.entries.clear();
    cache.entries[key] = rf;
    return rf;
}

const FontMetricsInfo& MetricsOf(const RealizedFont& font)
{
    return font.metrics;
}

void Advances(const RealizedFont& font, const std::u16string& text, std::vector<int>& out)
{
    out.assign(text.size(), 0);
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    std::optional<QFontMetrics> fm;  // made on the first character not seen before
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        if (c < 0x20) {
            out[i] = 0;
            continue;
        }
        auto it = font.advances.find(c);
        int adv;
        if (it != font.advances.end()) {
            adv = it->second;
        } else {
            QString s = pair ? QString::fromUcs4(&c, 1) : QString(QChar((char16_t)c));
            if (!fm)
                fm.emplace(font.font);
            adv = fm->horizontalAdvance(s);
            font.advances[c] = adv;
        }
        out[i] = adv;
        if (pair)
            ++i;
    }
}

GlyphMask RenderText(const RealizedFont& font, const std::u16string& text, const std::vector<int>& positions,
                     int escapement)
{
    GlyphMask mask;
    if (text.empty())
        return mask;
    const FontMetricsInfo& m = font.metrics;
    int last = positions.empty() ? 0 : positions.back();
    int width = last + m.maxCharWidth;
    int pad = m.emSize / 2 + 2;
    // The unrotated box around the text, relative to the baseline start.
    QRectF box(-pad, -m.ascent - pad, width + 2 * pad, m.height + 2 * pad);
    QTransform rotation;
    rotation.rotate(-escapement / 10.0);
    QRect bounds = rotation.mapRect(box).toAlignedRect();
    if ((int64_t)bounds.width() * bounds.height() > (int64_t)1 << 28 || bounds.isEmpty())
        return mask;
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    QImage image(bounds.width(), bounds.height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return mask;
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QFont turned = font.font;
        turned.setUnderline(font.metrics.underline);
        painter.setFont(turned);
        painter.setPen(Qt::white);
        painter.setRenderHint(QPainter::TextAntialiasing, font.font.styleStrategy() & QFont::NoAntialias ? false : true);
        painter.translate(-bounds.left(), -bounds.top());
        painter.setTransform(rotation, true);
        for (size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            if (c < 0x20)
                continue;
            QString s;
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                s = QString::fromUtf16(&text[i], 2);
            } else if (c >= 0xDC00 && c < 0xE000) {
                continue;
            } else {
                s = QString(QChar(c));
            }
            int x = i < positions.size() ? positions[i] : 0;
            painter.drawText(QPointF(x, 0), s);
        }
    }
    mask.left = bounds.left();
    mask.top = bounds.top();
    mask.width = bounds.width();
    mask.height = bounds.height();
    mask.alpha.resize((size_t)mask.width * (size_t)mask.height);
    for (int y = 0; y < mask.height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8_t* out = mask.alpha.data() + (size_t)y * (size_t)mask.width;
        for (int x = 0; x < mask.width; ++x)
            out[x] = (uint8_t)qAlpha(row[x]);
    }
    return mask;
}

namespace {

// Past this many glyphs a font starts its cache again (a document in many scripts).
const size_t kMaxCachedGlyphs = 8192;

Glyph Render(const RealizedFont& font, char32_t c)
{
    Glyph g;
    const FontMetricsInfo& m = font.metrics;
    int pad = m.emSize / 2 + 2;
    QRect box(-pad, -m.ascent - pad, m.maxCharWidth + 2 * pad, m.height + 2 * pad);
    if (box.isEmpty() || (int64_t)box.width() * box.height() > (int64_t)1 << 24)
        return g;
    QImage image(box.width(), box.height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return g;
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font.font);
        painter.setPen(Qt::white);
        painter.setRenderHint(QPainter::TextAntialiasing, !(font.font.styleStrategy() & QFont::NoAntialias));
        painter.translate(-box.left(), -box.top());
        painter.drawText(QPointF(0, 0), QString::fromUcs4(&c, 1));
    }
    // Kept to the pixels the glyph covers.
    int x0 = box.width(), y0 = box.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < box.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < box.width(); ++x)
            if (qAlpha(row[x])) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (x1 < 0)
        return g;
    g.left = box.left() + x0;
    g.top = box.top() + y0;
    g.width = x1 - x0 + 1;
    g.height = y1 - y0 + 1;
    g.alpha.resize((size_t)g.width * (size_t)g.height);
    for (int y = 0; y < g.height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y0 + y));
        for (int x = 0; x < g.width; ++x)
            g.alpha[(size_t)y * (size_t)g.width + (size_t)x] = (uint8_t)qAlpha(row[x0 + x]);
    }
    return g;
}

}  // namespace

const Glyph& GlyphOf(const RealizedFont& font, char32_t c)
{
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    auto it = font.glyphs.find(c);
    if (it != font.glyphs.end())
        return it->second;
    if (font.glyphs.size() >= kMaxCachedGlyphs)
        font.glyphs.clear();
    return font.glyphs.emplace(c, Render(font, c)).first->second;
}

std::string MappedFamily(const LOGFONTA& lf)
{
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    EnsureQtApplication();
    return FamilyFor(lf).toStdString();
}

bool IsKoreanFamilyName(const std::string& ansiFace)
{
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    std::strncpy(lf.lfFaceName, ansiFace.c_str(), LF_FACESIZE - 1);
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    EnsureQtApplication();
    return KoreanFamily(FamilyFor(lf));
}

std::vector<std::string> FontFamilyNames()
{
    std::lock_guard<std::recursive_mutex> guard(QtTextLock());
    EnsureQtApplication();
    std::vector<std::string> names;
    std::vector<QString> seen;
    auto add = [&](const QString& name) {
        for (const QString& s : seen)
            if (s.compare(name, Qt::CaseInsensitive) == 0)
                return;
        std::u16string wide(reinterpret_cast<const char16_t*>(name.utf16()), (size_t)name.size());
        std::string ansi = WideToAnsi(wide);
        if (ansi.empty() || ansi.size() >= LF_FACESIZE || ansi.find('?') != std::string::npos)
            return;
        seen.push_back(name);
        names.push_back(ansi);
    };
    for (const char* n : kOfferedNames) {
        LOGFONTA lf;
        std::memset(&lf, 0, sizeof(lf));
        std::string ansi = WideToAnsi(QString::fromUtf8(n).toStdU16String());
        std::strncpy(lf.lfFaceName, ansi.c_str(), LF_FACESIZE - 1);
        if (HasFamily(FamilyFor(lf)))
            add(QString::fromUtf8(n));
    }
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        add(family);
    }
    return names;
}

}  // namespace gdi
}  // namespace mivo

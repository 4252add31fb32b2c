// Built only where SANE is.
#if defined(MIVO_HAVE_SANE)

#include "twain/SaneSource.h"

#include "twain/PackedDib.h"
#include "win32/globalmem.h"

#include <cstring>

namespace mivo::twain {

namespace {

const int kDotsPerInch = 200;

void CopyText(char* to, const std::string& from)
{
    strncpy(to, from.c_str(), sizeof(TW_STR32) - 1);
    to[sizeof(TW_STR32) - 1] = 0;
}

int BitsOf(const SanePicture& picture)
{
    return picture.channels == 3 ? 24 : picture.lineart ? 1 : 8;
}

HGLOBAL PackPicture(const SanePicture& picture)
{
    int bits = BitsOf(picture);
    PackedDib dib;
    if (!dib.Create(picture.width, picture.height, bits, kDotsPerInch))
        return nullptr;
    const int channels = picture.channels;
    for (int y = 0; y < picture.height; y++) {
        const uint8_t* in = picture.samples.data() + size_t(y) * picture.width * channels;
        BYTE* row = dib.Row(y);
        for (int x = 0; x < picture.width; x++) {
            const uint8_t* s = in + size_t(x) * channels;
            if (bits == 24) {
                row[3 * x] = s[2];
                row[3 * x + 1] = s[1];
                row[3 * x + 2] = s[0];
            } else if (bits == 8) {
                row[x] = s[0];
            } else if (s[0] >= 128) {
                row[x / 8] |= BYTE(0x80 >> (x % 8));
            }
        }
    }
    return dib.Release();
}

}  // namespace

SaneSource::SaneSource(std::string device, std::string productName)
    : m_device(std::move(device)), m_productName(std::move(productName))
{
}

SaneSource::~SaneSource()
{
    Close();
}

TW_IDENTITY SaneSource::Describe() const
{
    TW_IDENTITY id = {};
    id.Version.MajorNum = 1;
    id.Version.Language = TWLG_KOREAN;
    id.Version.Country = TWCY_KOREA;
    CopyText(id.Version.Info, "SANE");
    id.ProtocolMajor = TWON_PROTOCOLMAJOR;
    id.ProtocolMinor = TWON_PROTOCOLMINOR;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(id.Manufacturer, "SANE");
    CopyText(id.ProductFamily, "Scanner");
    CopyText(id.ProductName, m_productName);
    return id;
}

bool SaneSource::Open(const SourceLink& link, TW_UINT16& condition)
{
    if (m_state != State::Closed) {
        condition = TWCC_MAXCONNECTIONS;
        return false;
    }
    if (sane_open(m_device.c_str(), &m_handle) != SANE_STATUS_GOOD) {
        m_handle = nullptr;
        condition = TWCC_OPERATIONERROR;
        return false;
    }
    m_link = link;
    m_state = State::Open;
    return true;
}

void SaneSource::Close()
{
    if (m_state == State::Closed)
        return;
    StopScan();
    sane_close(m_handle);
    m_handle = nullptr;
    m_state = State::Closed;
}

// Stops a scan under way (or ends a finished one) and brings the device back to idle.
void SaneSource::StopScan()
{
    m_cancelled = true;
    if (m_handle)
        sane_cancel(m_handle);
    if (m_worker.joinable())
        m_worker.join();
    m_cancelled = false;
    std::lock_guard<std::mutex> hold(m_lock);
    m_finished = false;
    m_scanned = false;
    m_picture = SanePicture();
}

TW_UINT16 SaneSource::Handle(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    if (!data) {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    if (dg == DG_CONTROL && dat == DAT_CAPABILITY)
        return Capability(msg, (TW_CAPABILITY*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_USERINTERFACE && msg == MSG_ENABLEDS)
        return Enable((TW_USERINTERFACE*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_USERINTERFACE && msg == MSG_DISABLEDS) {
        if (m_state == State::Open) {
            condition = TWCC_SEQERROR;
            return TWRC_FAILURE;
        }
        StopScan();
        m_state = State::Open;
        return TWRC_SUCCESS;
    }
    if (dg == DG_IMAGE && dat == DAT_IMAGEINFO && msg == MSG_GET)
        return ImageInfo((TW_IMAGEINFO*)data, condition);
    if (dg == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET)
        return NativeTransfer((TW_HANDLE*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_PENDINGXFERS)
        return Pending(msg, (TW_PENDINGXFERS*)data, condition);
    condition = TWCC_BADPROTOCOL;
    return TWRC_FAILURE;
}

// One picture a scan: the count is taken as asked and not kept.
TW_UINT16 SaneSource::Capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition)
{
    if (cap->Cap != CAP_XFERCOUNT || (msg != MSG_SET && msg != MSG_GET)) {
        condition = TWCC_CAPUNSUPPORTED;
        return TWRC_FAILURE;
    }
    if (msg == MSG_SET)
        return TWRC_SUCCESS;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
    auto* value = block ? (TW_ONEVALUE*)GlobalLock(block) : nullptr;
    if (!value) {
        if (block)
            GlobalFree(block);
        condition = TWCC_LOWMEMORY;
        return TWRC_FAILURE;
    }
    value->ItemType = TWTY_INT16;
    value->Item = 1;
    GlobalUnlock(block);
    cap->ConType = TWON_ONEVALUE;
    cap->hContainer = block;
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSource::Enable(TW_USERINTERFACE* ui, TW_UINT16& condition)
{
    if (m_state != State::Open) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    ui->ModalUI = 0;
    m_state = State::Scanning;
    m_worker = std::thread(&SaneSource::ScanOnWorker, this);
    return TWRC_SUCCESS;
}

void SaneSource::ScanOnWorker()
{
    SanePicture picture;
    bool ok = SaneScan(m_handle).Read(picture, m_cancelled);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_picture = std::move(picture);
        m_scanned = ok;
        m_finished = true;
    }
    if (!m_cancelled)
        m_link.notify(ok ? MSG_XFERREADY : MSG_CLOSEDSREQ);
}

bool SaneSource::PictureReady()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_finished && m_scanned;
}

TW_UINT16 SaneSource::ImageInfo(TW_IMAGEINFO* info, TW_UINT16& condition)
{
    if (m_state != State::Scanning || !PictureReady()) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    std::lock_guard<std::mutex> hold(m_lock);
    int bits = BitsOf(m_picture);
    *info = TW_IMAGEINFO();
    info->XResolution.Whole = info->YResolution.Whole = kDotsPerInch;
    info->ImageWidth = m_picture.width;
    info->ImageLength = m_picture.height;
    info->SamplesPerPixel = TW_INT16(m_picture.channels);
    for (int i = 0; i < m_picture.channels; i++)
        info->BitsPerSample[i] = TW_INT16(bits == 1 ? 1 : 8);
    info->BitsPerPixel = TW_INT16(bits);
    info->PixelType = TW_INT16(bits == 24 ? TWPT_RGB : bits == 8 ? TWPT_GRAY : TWPT_BW);
    info->Compression = TWCP_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSource::NativeTransfer(TW_HANDLE* handle, TW_UINT16& condition)
{
    *handle = nullptr;
    if (m_state != State::Scanning || !PictureReady()) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    {
        std::lock_guard<std::mutex> hold(m_lock);
        *handle = PackPicture(m_picture);
    }
    if (!*handle) {
        condition = TWCC_LOWMEMORY;
        return TWRC_FAILURE;
    }
    m_state = State::Transferring;
    return TWRC_XFERDONE;
}

// The one picture is done: the scanner goes idle and asks to be closed.
TW_UINT16 SaneSource::Pending(TW_UINT16 msg, TW_PENDINGXFERS* pending, TW_UINT16& condition)
{
    bool inBatch = m_state == State::Scanning || m_state == State::Transferring;
    if ((msg != MSG_ENDXFER && msg != MSG_RESET) || !inBatch) {
        condition = inBatch ? TWCC_BADPROTOCOL : TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    StopScan();
    pending->Count = 0;
    pending->EOJ = 0;
    m_state = State::Scanning;
    m_link.notify(MSG_CLOSEDSREQ);
    return TWRC_SUCCESS;
}

}  // namespace mivo::twain

#endif

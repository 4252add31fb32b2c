#include "twain/TestSource.h"

#include "twain/TestPicture.h"
#include "twain/TestSourcePanel.h"
#include "win32/dialogs.h"
#include "win32/globalmem.h"

#include <atomic>
#include <cstring>
#include <mutex>

namespace mivo::twain {

namespace {

std::mutex g_lock;
TwainTestSourceSettings g_settings;
TestSource* g_open = nullptr;
std::atomic<int> g_delivered{0};

void CopyText(char* to, const char* from)
{
    strncpy(to, from, sizeof(TW_STR32) - 1);
    to[sizeof(TW_STR32) - 1] = 0;
}

}  // namespace

TestSource::TestSource() = default;

TestSource::~TestSource()
{
    Close();
}

TW_IDENTITY TestSource::Describe() const
{
    TW_IDENTITY id = {};
    id.Version.MajorNum = 1;
    id.Version.MinorNum = 0;
    id.Version.Language = TWLG_KOREAN;
    id.Version.Country = TWCY_KOREA;
    CopyText(id.Version.Info, "1.0");
    id.ProtocolMajor = TWON_PROTOCOLMAJOR;
    id.ProtocolMinor = TWON_PROTOCOLMINOR;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(id.Manufacturer, "Mivo");
    CopyText(id.ProductFamily, "Test");
    CopyText(id.ProductName, "Mivo Test Source");
    return id;
}

bool TestSource::Open(const SourceLink& link, TW_UINT16& condition)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (m_state != State::Closed || g_open) {
        condition = TWCC_MAXCONNECTIONS;
        return false;
    }
    m_link = link;
    m_settings = g_settings;
    m_count = -1;
    m_pending = 0;
    m_number = 0;
    m_state = State::Open;
    g_open = this;
    return true;
}

void TestSource::Close()
{
    delete m_panel;
    m_panel = nullptr;
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_open == this)
        g_open = nullptr;
    m_state = State::Closed;
}

TW_UINT16 TestSource::Handle(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    if (!data) {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    if (dg == DG_CONTROL && dat == DAT_CAPABILITY)
        return Capability(msg, (TW_CAPABILITY*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_USERINTERFACE && msg == MSG_ENABLEDS)
        return Enable((TW_USERINTERFACE*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_USERINTERFACE && msg == MSG_DISABLEDS)
        return Disable(condition);
    if (dg == DG_IMAGE && dat == DAT_IMAGEINFO && msg == MSG_GET)
        return ImageInfo((TW_IMAGEINFO*)data, condition);
    if (dg == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET)
        return NativeTransfer((TW_HANDLE*)data, condition);
    if (dg == DG_CONTROL && dat == DAT_PENDINGXFERS)
        return Pending(msg, (TW_PENDINGXFERS*)data, condition);
    condition = TWCC_BADPROTOCOL;
    return TWRC_FAILURE;
}

bool TestSource::TakeMessage(MSG* msg)
{
    return m_panel && m_panel->Window() && IsDialogMessage(m_panel->Window(), msg);
}

TW_UINT16 TestSource::Capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition)
{
    if (cap->Cap != CAP_XFERCOUNT) {
        condition = TWCC_CAPUNSUPPORTED;
        return TWRC_FAILURE;
    }
    if (msg == MSG_GET || msg == MSG_GETCURRENT)
        return GetCount(cap, condition);
    if (msg == MSG_SET)
        return SetCount(cap, condition);
    condition = TWCC_CAPBADOPERATION;
    return TWRC_FAILURE;
}

TW_UINT16 TestSource::GetCount(TW_CAPABILITY* cap, TW_UINT16& condition)
{
    cap->ConType = TWON_ONEVALUE;
    if (m_settings.countContainer == 1) {
        cap->hContainer = nullptr;
        return TWRC_SUCCESS;
    }
    SIZE_T bytes = m_settings.countContainer == 2 ? 4 : sizeof(TW_ONEVALUE);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* value = block ? (TW_ONEVALUE*)GlobalLock(block) : nullptr;
    if (!value) {
        if (block)
            GlobalFree(block);
        condition = TWCC_LOWMEMORY;
        return TWRC_FAILURE;
    }
    TW_ONEVALUE current = {TWTY_INT16, TW_UINT32(TW_UINT16(TW_INT16(m_count)))};
    memcpy(value, &current, bytes < sizeof(current) ? bytes : sizeof(current));
    GlobalUnlock(block);
    cap->hContainer = block;
    return TWRC_SUCCESS;
}

TW_UINT16 TestSource::SetCount(TW_CAPABILITY* cap, TW_UINT16& condition)
{
    if (m_state != State::Open) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    HGLOBAL block = cap->hContainer;
    if (cap->ConType != TWON_ONEVALUE || !block || GlobalSize(block) < sizeof(TW_ONEVALUE)) {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    TW_ONEVALUE value;
    memcpy(&value, GlobalLock(block), sizeof(value));
    GlobalUnlock(block);
    if (value.ItemType == TWTY_INT16 && m_settings.refuseSignedCount) {
        condition = TWCC_BADVALUE;
        return TWRC_CHECKSTATUS;
    }
    // -1 means as many as there are; the unsigned form carries it as 0xFFFF.
    int count = TW_INT16(value.Item & 0xFFFF);
    if ((value.ItemType != TWTY_INT16 && value.ItemType != TWTY_UINT16) || count == 0 || count < -1) {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    m_count = count;
    return TWRC_SUCCESS;
}

int TestSource::BatchSize() const
{
    int images = m_settings.images > 0 ? m_settings.images : 0;
    return m_count == -1 || m_count > images ? images : m_count;
}

TW_UINT16 TestSource::Enable(TW_USERINTERFACE* ui, TW_UINT16& condition)
{
    if (m_state != State::Open) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    ui->ModalUI = 0;
    m_state = State::Enabled;
    if (ui->ShowUI) {
        m_panel = new TestSourcePanel(*this);
        if (!m_panel->Show(HWND(ui->hParent) ? HWND(ui->hParent) : m_link.parent)) {
            delete m_panel;
            m_panel = nullptr;
            m_state = State::Open;
            condition = TWCC_OPERATIONERROR;
            return TWRC_FAILURE;
        }
        return TWRC_SUCCESS;
    }
    Scan();
    return TWRC_SUCCESS;
}

TW_UINT16 TestSource::Disable(TW_UINT16& condition)
{
    if (m_state != State::Enabled) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    delete m_panel;
    m_panel = nullptr;
    m_state = State::Open;
    return TWRC_SUCCESS;
}

void TestSource::Scan()
{
    if (m_state != State::Enabled)
        return;
    m_pending = BatchSize();
    if (m_pending == 0) {
        BatchEnded();
        return;
    }
    m_state = State::Ready;
    m_number++;
    m_link.notify(MSG_XFERREADY);
}

void TestSource::RequestClose()
{
    if (m_state != State::Closed)
        m_link.notify(MSG_CLOSEDSREQ);
}

// Without a panel to scan again, the source is done and says so.
void TestSource::BatchEnded()
{
    m_state = State::Enabled;
    if (!m_panel)
        RequestClose();
}

TW_UINT16 TestSource::ImageInfo(TW_IMAGEINFO* info, TW_UINT16& condition)
{
    if (m_state != State::Ready) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    *info = TestPictureInfo(m_settings);
    return TWRC_SUCCESS;
}

TW_UINT16 TestSource::NativeTransfer(TW_HANDLE* handle, TW_UINT16& condition)
{
    if (m_state != State::Ready) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    *handle = nullptr;
    if (m_number == m_settings.failImage) {
        condition = TWCC_OPERATIONERROR;
        return TWRC_FAILURE;
    }
    m_state = State::Transferring;
    if (m_number == m_settings.cancelImage)
        return TWRC_CANCEL;
    if (m_number != m_settings.handlelessImage) {
        *handle = PaintTestPicture(m_number, m_settings);
        if (!*handle) {
            m_state = State::Ready;
            condition = TWCC_LOWMEMORY;
            return TWRC_FAILURE;
        }
        g_delivered++;
    }
    return TWRC_XFERDONE;
}

TW_UINT16 TestSource::Pending(TW_UINT16 msg, TW_PENDINGXFERS* pending, TW_UINT16& condition)
{
    bool inBatch = m_state == State::Ready || m_state == State::Transferring;
    if ((msg != MSG_ENDXFER && msg != MSG_RESET) || !inBatch) {
        condition = inBatch ? TWCC_BADPROTOCOL : TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    m_pending = msg == MSG_RESET ? 0 : m_pending - 1;
    pending->Count = TW_UINT16(m_pending);
    pending->EOJ = 0;
    if (m_pending == 0) {
        BatchEnded();
    } else {
        m_state = State::Ready;
        m_number++;
    }
    return TWRC_SUCCESS;
}

}  // namespace mivo::twain

namespace mivo {

void SetTwainTestSource(const TwainTestSourceSettings& settings)
{
    std::lock_guard<std::mutex> hold(twain::g_lock);
    twain::g_settings = settings;
    twain::g_delivered = 0;
}

int TwainTestSourceDelivered()
{
    return twain::g_delivered;
}

bool RequestTwainTestSourceClose()
{
    twain::TestSource* open;
    {
        std::lock_guard<std::mutex> hold(twain::g_lock);
        open = twain::g_open;
    }
    if (!open)
        return false;
    open->RequestClose();
    return true;
}

}  // namespace mivo

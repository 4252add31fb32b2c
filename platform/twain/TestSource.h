// The built-in test source: synthetic pictures handed over by native
// transfer, its behaviour set by tests (mivo/testing/twain.h), and a small
// panel with "스캔" and "취소" when the application asks for the source's UI.
#pragma once

#include "mivo/testing/twain.h"
#include "twain/DataSource.h"

namespace mivo::twain {

class TestSourcePanel;

class TestSource : public DataSource {
public:
    TestSource();
    ~TestSource() override;

    TW_IDENTITY Describe() const override;
    bool Open(const SourceLink& link, TW_UINT16& condition) override;
    void Close() override;
    TW_UINT16 Handle(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition) override;
    bool TakeMessage(MSG* msg) override;

    // The panel's buttons.
    void Scan();
    void RequestClose();

private:
    enum class State { Closed, Open, Enabled, Ready, Transferring };

    TW_UINT16 Capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition);
    TW_UINT16 GetCount(TW_CAPABILITY* cap, TW_UINT16& condition);
    TW_UINT16 SetCount(TW_CAPABILITY* cap, TW_UINT16& condition);
    TW_UINT16 Enable(TW_USERINTERFACE* ui, TW_UINT16& condition);
    TW_UINT16 Disable(TW_UINT16& condition);
    TW_UINT16 ImageInfo(TW_IMAGEINFO* info, TW_UINT16& condition);
    TW_UINT16 NativeTransfer(TW_HANDLE* handle, TW_UINT16& condition);
    TW_UINT16 Pending(TW_UINT16 msg, TW_PENDINGXFERS* pending, TW_UINT16& condition);
    int BatchSize() const;
    void BatchEnded();

    State m_state = State::Closed;
    SourceLink m_link;
    TwainTestSourceSettings m_settings;
    int m_count = -1;   // CAP_XFERCOUNT
    int m_pending = 0;  // pictures left in this batch
    int m_number = 0;   // the picture being transferred, counted from 1
    TestSourcePanel* m_panel = nullptr;
};

}  // namespace mivo::twain

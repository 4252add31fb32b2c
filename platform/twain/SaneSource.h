// A scanner reached through SANE as a data source: enabling it scans one
// picture on a worker thread, which posts the transfer-ready event when the
// picture is complete (or the close request when the scan failed).
#pragma once

#include "twain/DataSource.h"
#include "twain/SaneScan.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace mivo::twain {

class SaneSource : public DataSource {
public:
    SaneSource(std::string device, std::string productName);
    ~SaneSource() override;

    TW_IDENTITY Describe() const override;
    bool Open(const SourceLink& link, TW_UINT16& condition) override;
    void Close() override;
    TW_UINT16 Handle(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition) override;

private:
    enum class State { Closed, Open, Scanning, Transferring };

    TW_UINT16 Capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition);
    TW_UINT16 Enable(TW_USERINTERFACE* ui, TW_UINT16& condition);
    TW_UINT16 ImageInfo(TW_IMAGEINFO* info, TW_UINT16& condition);
    TW_UINT16 NativeTransfer(TW_HANDLE* handle, TW_UINT16& condition);
    TW_UINT16 Pending(TW_UINT16 msg, TW_PENDINGXFERS* pending, TW_UINT16& condition);
    bool PictureReady();
    void ScanOnWorker();
    void StopScan();

    std::string m_device;
    std::string m_productName;
    SANE_Handle m_handle = nullptr;
    SourceLink m_link;
    State m_state = State::Closed;
    std::thread m_worker;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_lock;
    bool m_finished = false;
    bool m_scanned = false;
    SanePicture m_picture;
};

}  // namespace mivo::twain

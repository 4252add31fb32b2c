#include "twain/ScannerSources.h"

#if defined(MIVO_HAVE_SANE)
#include "twain/SaneSource.h"

#include <mutex>
#include <string>
#endif

namespace mivo::twain {

#if defined(MIVO_HAVE_SANE)

namespace {

std::mutex g_lock;
bool g_started = false;

std::string ProductName(const SANE_Device& device)
{
    std::string name = std::string(device.vendor ? device.vendor : "") + " " + (device.model ? device.model : "");
    return name + " (" + device.name + ")";
}

}  // namespace

std::vector<std::unique_ptr<DataSource>> ListScannerSources()
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (!g_started) {
        SANE_Int version = 0;
        if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
            return {};
        g_started = true;
    }
    const SANE_Device** devices = nullptr;
    std::vector<std::unique_ptr<DataSource>> sources;
    if (sane_get_devices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || !devices)
        return sources;
    for (int i = 0; devices[i]; i++) {
        if (devices[i]->name)
            sources.push_back(std::make_unique<SaneSource>(devices[i]->name, ProductName(*devices[i])));
    }
    return sources;
}

void EndScannerSources()
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_started)
        sane_exit();
    g_started = false;
}

#else

// Without SANE the test source is the only one.
std::vector<std::unique_ptr<DataSource>> ListScannerSources()
{
    return {};
}

void EndScannerSources()
{
}

#endif

}  // namespace mivo::twain

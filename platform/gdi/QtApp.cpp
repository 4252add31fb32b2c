#include <QGuiApplication>

#include "gdi/QtApp.h"

#include <cstdlib>
#include <mutex>

namespace mivo {

namespace {

bool HasDisplay()
{
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != 0) || (wayland != nullptr && *wayland != 0);
}

}  // namespace

void EnsureQtApplication()
{
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    if (QCoreApplication::instance() != nullptr)
        return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform == nullptr || *platform == 0) && !HasDisplay())
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char name[] = "mivo";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace mivo

#include "ControlHost.h"

#include "support/MessageLoop.h"
#include "mivo/testing/beep.h"

#include <algorithm>

namespace controlstest {

ControlHost::ControlHost(int width, int height)
{
    m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                      nullptr);
    mivo::test::PumpUntilIdle();
}

ControlHost::~ControlHost()
{
    m_parent.DestroyWindow();
    mivo::test::PumpUntilIdle();
    mivo::test::DiscardQuitRequest();
}

BeepListener::BeepListener()
{
    mivo::SetMessageBeepHook([this](UINT type) { m_heard.push_back(type); });
}

BeepListener::~BeepListener()
{
    mivo::SetMessageBeepHook(nullptr);
}

int BeepListener::count(UINT type) const
{
    return (int)std::count(m_heard.begin(), m_heard.end(), type);
}

}  // namespace controlstest

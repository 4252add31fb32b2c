#include "support/MessageBoxCapture.h"
#include "mivo/testing/msgbox.h"

namespace mivotest {

MessageBoxCapture::MessageBoxCapture(int answer) : m_answer(answer)
{
    m_previous = mivo::SetMessageBoxHook([this](HWND, const char* text, const char* caption, UINT type) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_shown.push_back({text, caption, type});
        return m_answer;
    });
}

MessageBoxCapture::~MessageBoxCapture()
{
    mivo::SetMessageBoxHook(m_previous);
}

std::vector<ShownMessageBox> MessageBoxCapture::shown() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_shown;
}

void MessageBoxCapture::setAnswer(int answer)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answer = answer;
}

}  // namespace mivotest

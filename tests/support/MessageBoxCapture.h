// Records the message boxes shown while it lives and answers them.
#pragma once

#include "mfc.h"
#include "mivo/testing/msgbox.h"

#include <mutex>
#include <string>
#include <vector>

namespace mivotest {

struct ShownMessageBox {
    std::string text;     // CP949, as the program passed it
    std::string caption;
    UINT type = 0;
};

class MessageBoxCapture {
public:
    explicit MessageBoxCapture(int answer = IDOK);
    ~MessageBoxCapture();

    std::vector<ShownMessageBox> shown() const;
    void setAnswer(int answer);

private:
    mutable std::mutex m_lock;
    std::vector<ShownMessageBox> m_shown;
    int m_answer;
    mivo::MessageBoxHook m_previous;
};

}  // namespace mivotest

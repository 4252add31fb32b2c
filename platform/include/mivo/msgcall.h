// One call of a message-map handler, as the map's entries carry it.
#pragma once

#include "win32/types.h"

class CCmdTarget;

namespace mivo {

// One call of a message-map handler: the message and where its result goes.
struct MsgCall {
    CCmdTarget* target;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;       // command or control id
    void* extra;   // CCmdUI* for update handlers, AFX_NOTIFY* for notifications
    LRESULT* result;
};

// Calls a handler; returns whether the message counts as handled.
typedef BOOL (*MsgThunk)(MsgCall& call);

}  // namespace mivo

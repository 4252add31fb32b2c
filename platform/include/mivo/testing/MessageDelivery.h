// How the message a window procedure is handling reached it, for tests of message sequences.
#pragma once

namespace mivo {

// True while the innermost window-procedure call on this thread is a message
// DispatchMessage delivered from the queue (posted, input, paint, timer);
// false for sent messages and outside any window procedure.
bool InPostedMessage();

}  // namespace mivo

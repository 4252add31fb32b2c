// One thread that watches every socket a window asked about and posts the events to it.
#pragma once

namespace mivo {

class SocketWatcher {
public:
    static SocketWatcher& Instance();
    // Makes the watcher look at the table again (a socket was added, armed or closed).
    void Wake();

private:
    SocketWatcher();
    void Run();

    int wakeRead_ = -1;
    int wakeWrite_ = -1;
};

}  // namespace mivo

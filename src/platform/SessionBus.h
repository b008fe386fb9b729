#pragma once

namespace decant {

// Whether a D-Bus session bus may be there to talk to. Asking Qt for a bus
// that is not there still starts its D-Bus thread and tries to connect, each
// time; where neither the session's address nor the user's bus socket
// exists, there is nobody to tell. Any thread.
bool sessionBusMayExist();

} // namespace decant

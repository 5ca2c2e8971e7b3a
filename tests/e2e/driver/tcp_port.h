// Whether a local TCP port takes connections: a server that is switched off
// and on again is waited for by probing its port, not by sleeping.
#pragma once

namespace pravex::e2e {

// True if a connection to 127.0.0.1:port is accepted now; the connection is
// closed again at once.
bool LocalPortAccepts(unsigned short port);

}  // namespace pravex::e2e

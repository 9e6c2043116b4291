#pragma once

namespace kq70 {

// What a port call reports; the protocol layers keep it in the request as the error code.
enum PortResult : int {
    PORT_SUCCESS = 0,
    PORT_COMM_ERROR = 1,
    PORT_TIMEOUT = 2,
};

} // namespace kq70

// A socket on a free port of 127.0.0.1 for the online tests and benchmark: listening
// (it takes connections into its backlog and never answers them) or closed again at once
// (nobody listens on the port). Returns the listening socket, 0 when closed, -1 on a fault.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

inline int localSocket(bool listening, int* port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return -1;
    *port = ntohs(address.sin_port);
    if (listening) return listen(fd, 8) == 0 ? fd : -1;
    close(fd);
    return 0;
}

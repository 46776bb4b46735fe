// The HTTP side of the server (cpp-httplib): every request becomes an ApiRequest for
// handleApiRequest. The client's address is the peer's, or, from a proxy named with
// --trust-proxy, the last address its X-Forwarded-For adds.
#pragma once

#include <string>
#include <vector>

// The address a request comes from.
std::string clientAddress(const std::string& peer, const std::string& forwardedFor,
                          const std::vector<std::string>& trustedProxies);
// Listens until SIGTERM or SIGINT, then finishes the requests in flight. Prints
// "listening on HOST:PORT" when ready. False when it cannot listen.
bool serveHttp(const std::string& host, int port, const std::vector<std::string>& trustedProxies);

#pragma once

#include <QString>
#include <chrono>

namespace telvainn {

inline constexpr std::chrono::milliseconds kInternetTestTimeout{10000};

// Whether this program reaches the web: an HTTP GET of the address's URL (webAddressUrl) with the headers
// Accept "text/html, */*" and User-Agent "Mozilla/3.0 (compatible; Indy Library)". Connected when the page
// has content. An empty address, no such host, no connection, an error status, more than five redirects or no
// answer within `timeout` all mean not connected.
bool InternetConnected(const QString& address, std::chrono::milliseconds timeout = kInternetTestTimeout);

}  // namespace telvainn

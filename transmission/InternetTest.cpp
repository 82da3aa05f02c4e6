#include "transmission/InternetTest.h"

#include "core/WebAddress.h"
#include "transmission/Curl.h"

namespace telvainn {
namespace {

constexpr long kMaxRedirects = 5;

// Stops the transfer at the first bytes of the page: they answer the question, and a large page on a
// slow line must not run into the time limit.
size_t writeFunction(char* /*data*/, size_t size, size_t count, void* gotContent) {
    if (size * count > 0) {
        *static_cast<bool*>(gotContent) = true;
    }
    return 0;
}

}  // namespace

bool InternetConnected(const QString& address, std::chrono::milliseconds timeout) {
    if (address.trimmed().isEmpty()) {
        return false;
    }
    const QByteArray url = webAddressUrl(address).toUtf8();
    curl::Easy handle = curl::makeEasy();
    CURL* h = handle.get();
    bool gotContent = false;
    const curl::StringList headers({"Accept: text/html, */*"});
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &writeFunction);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &gotContent);
    const CURLcode code = curl_easy_perform(h);
    return gotContent && (code == CURLE_OK || code == CURLE_WRITE_ERROR);
}

}  // namespace telvainn

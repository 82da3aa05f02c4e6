#pragma once

#include <curl/curl.h>

#include <QByteArray>
#include <QByteArrayList>
#include <memory>

namespace telvainn::curl {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// A new easy handle; libcurl's global state is set up on first use. Never null: a handle that cannot
// be made means the process is out of memory, raised as std::bad_alloc.
Easy makeEasy();

// A curl_slist that frees itself; libcurl reads it during the transfer, so it must outlive it.
class StringList {
  public:
    StringList() = default;
    explicit StringList(const QByteArrayList& items);
    ~StringList();
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;
    curl_slist* get() const { return m_list; }

  private:
    curl_slist* m_list = nullptr;
};

}  // namespace telvainn::curl

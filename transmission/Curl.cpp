#include "transmission/Curl.h"

#include <mutex>
#include <new>

namespace telvainn::curl {

Easy makeEasy() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            throw std::bad_alloc();
        }
    });
    Easy handle(curl_easy_init());
    if (!handle) {
        throw std::bad_alloc();
    }
    return handle;
}

StringList::StringList(const QByteArrayList& items) {
    for (const QByteArray& item : items) {
        curl_slist* extended = curl_slist_append(m_list, item.constData());
        if (extended == nullptr) {
            curl_slist_free_all(m_list);
            throw std::bad_alloc();
        }
        m_list = extended;
    }
}

StringList::~StringList() {
    curl_slist_free_all(m_list);
}

}  // namespace telvainn::curl

#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

// A full disk, without root and without a disk: while this lives, no file of the process can grow beyond
// `bytes`, and a write past that point fails with EFBIG instead of raising SIGXFSZ, as a write on a full
// file system fails with ENOSPC. The soft limit and the signal's handling are restored afterwards.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_engaged =
            ::getrlimit(RLIMIT_FSIZE, &m_old) == 0 && ::sigaction(SIGXFSZ, &ignore, &m_oldAction) == 0;
        if (!m_engaged) {
            ADD_FAILURE() << "cannot read the file size limit or ignore SIGXFSZ";
            return;
        }
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            ADD_FAILURE() << "cannot lower the file size limit";
        }
    }

    ~FileSizeLimit() {
        if (m_engaged) {
            ::setrlimit(RLIMIT_FSIZE, &m_old);
            ::sigaction(SIGXFSZ, &m_oldAction, nullptr);
        }
    }

    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_old{};
    struct sigaction m_oldAction {};
    bool m_engaged = false;
};

#pragma once

#include <sys/types.h>
#include <QLockFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>

namespace telvainn::excel::uno {

// A private user profile for our office, never the user's own: only one office at a time may use a
// profile, so each running program takes the first free slot below the base folder and keeps it
// locked while it lives. The profile is seeded so that the office skips its first-start work, never
// asks whether to keep an Excel file's format, and keeps no autorecovery data.
class OfficeProfile {
  public:
    explicit OfficeProfile(const QString& baseFolder);
    const QString& folder() const { return m_folder; }

  private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};

// One soffice process in a process group of its own, accepting UNO connections on a named pipe.
class OfficeProcess {
  public:
    OfficeProcess(const QString& soffice, const QString& profileFolder, const QString& pipeName,
                  bool headless);
    ~OfficeProcess();  // kills the group
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // Whether it still runs; exitCode() is valid once it does not.
    bool running();
    int exitCode() const { return m_exitCode; }
    // Safe from any thread: the watchdog uses it on a hung office.
    void kill();
    // Waits up to `wait` for the office to end by itself, then kills it.
    void stop(std::chrono::milliseconds wait);

  private:
    std::atomic<pid_t> m_pid{-1};
    pid_t m_group = -1;  // stays set after the leader is reaped: soffice.bin may outlive the wrapper
    int m_exitCode = -1;
};

// The office program to start: `configured`, else $TELVAINN_SOFFICE, else the distribution's.
QString sofficeProgram(const QString& configured);

// The office version as soffice reports it, e.g. "7.4": what the seeded profile claims was set up.
QString officeVersion();

}  // namespace telvainn::excel::uno

#include "frontends/qt/qt_system.h"

#include <fcntl.h>
#include <langinfo.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>

#include <chrono>
#include <clocale>
#include <thread>

#include "frontends/qt/date_order.h"
#include "platform/posix/registry_file.h"

namespace zindle {

QtSystem::QtSystem(std::string programDirectory, std::string commandLine, std::string registryRoot,
                   std::string guidePath, std::string lockPath)
    : programDirectory_(std::move(programDirectory)),
      commandLine_(std::move(commandLine)),
      registryRoot_(std::move(registryRoot)),
      guidePath_(std::move(guidePath)),
      lockPath_(std::move(lockPath)) {}

QtSystem::~QtSystem() {
    if (lockFile_ >= 0) close(lockFile_);
}

bool QtSystem::AnotherInstanceRunning() {
    if (lockFile_ >= 0) return false;
    // Close-on-exec: a program the bar starts must not keep the lock.
    const int file = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0) return false;
    if (flock(file, LOCK_EX | LOCK_NB) != 0) {
        close(file);
        return true;
    }
    lockFile_ = file;
    return false;
}

std::string QtSystem::ClipboardText() {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) return {};
    QString text = clipboard->text(QClipboard::Clipboard);
    if (text.isEmpty() && clipboard->supportsSelection()) text = clipboard->text(QClipboard::Selection);
    return text.toStdString();
}

std::optional<std::vector<std::uint8_t>> QtSystem::ReadRegistryBinary(const std::string& key) {
    return ReadRegistryFile(registryRoot_, key);
}

bool QtSystem::WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) {
    return WriteRegistryFile(registryRoot_, key, value);
}

DateTime QtSystem::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    static const QDate kEpoch(1899, 12, 30);
    return static_cast<double>(kEpoch.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

DateOrder QtSystem::LocaleDateOrder() {
    std::setlocale(LC_TIME, "");
    return DateOrderFromFormat(nl_langinfo(D_FMT));
}

std::uint32_t QtSystem::TickCount() {
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void QtSystem::Sleep(std::uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void QtSystem::DoEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

DefaultCommandLines QtSystem::DefaultCommands(const std::string& iniPath, const std::string&) {
    return {"%%open " + iniPath, "%%open " + guidePath_, "%%open " + guidePath_};
}

}  // namespace zindle

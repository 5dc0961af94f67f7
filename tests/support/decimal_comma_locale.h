#pragma once
// Puts a decimal-comma C locale (Polish) in force for LC_NUMERIC while it lives, so a test
// can prove that numbers in files, reports and protocol text do not follow the locale.
// When the system has no such locale compiled, one is built with localedef (no root
// needed) once into the build tree's "test-locales" folder, which later tests reuse;
// active() is false when neither works, and whyInactive() says why, for the test's skip
// message:
//
//   test::DecimalCommaLocale comma;
//   if (!comma.active()) GTEST_SKIP() << comma.whyInactive();

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorda::test {

class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current ? current : "C";
        active_ = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr;
        if (!active_) activateBuilt();
        if (active_ && *std::localeconv()->decimal_point != ',') {
            active_ = false;
            why_ = "pl_PL.UTF-8 is in force but its decimal point is not a comma";
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool active() const { return active_; }
    const std::string& whyInactive() const { return why_; }

private:
    void activateBuilt()
    {
        const QString shared = QStringLiteral(VORDA_BINARY_DIR "/test-locales");
        const QString locale = shared + QStringLiteral("/pl_PL.UTF-8");
        QDir().mkpath(shared);
        // One test builds while the others wait for it; the lock goes with the process.
        const int lock =
            ::open((shared + QStringLiteral("/build.lock")).toLocal8Bit().constData(), O_RDWR | O_CREAT, 0644);
        if (lock >= 0) ::flock(lock, LOCK_EX);
        const struct Unlock {
            int fd;
            ~Unlock()
            {
                if (fd >= 0) ::close(fd);
            }
        } unlock{lock};
        if (!QFileInfo::exists(locale)) {
            // Built in a folder of its own and moved into place in one step, so that a
            // test never sees half a locale.
            QTemporaryDir building(shared + QStringLiteral("/building-XXXXXX"));
            const QString built = building.filePath(QStringLiteral("pl_PL.UTF-8"));
            const int exit = building.isValid()
                                 ? QProcess::execute(QStringLiteral("localedef"),
                                                     {QStringLiteral("-i"), QStringLiteral("pl_PL"),
                                                      QStringLiteral("-f"), QStringLiteral("UTF-8"), built})
                                 : -3;
            if (exit != 0) {
                why_ =
                    "pl_PL.UTF-8 is not installed and localedef could not build it (exit " + std::to_string(exit) + ")";
                return;
            }
            std::rename(built.toLocal8Bit().constData(), locale.toLocal8Bit().constData());
        }
        setenv("LOCPATH", shared.toLocal8Bit().constData(), 1);
        active_ = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr;
        unsetenv("LOCPATH");
        if (!active_) why_ = "pl_PL.UTF-8 was built into " + shared.toStdString() + " but setlocale refused it";
    }

    std::string previous_;
    bool active_ = false;
    std::string why_;
};

}  // namespace vorda::test

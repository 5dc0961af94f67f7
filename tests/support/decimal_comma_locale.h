#pragma once
// Puts a decimal-comma C locale (Polish) in force for LC_NUMERIC while it lives, so a test
// can prove that numbers in files, reports and protocol text do not follow the locale.
// When the system has no such locale compiled, one is built with localedef into a
// private folder (no root needed); active() is false when neither works, and
// whyInactive() says why, for the test's skip message:
//
//   test::DecimalCommaLocale comma;
//   if (!comma.active()) GTEST_SKIP() << comma.whyInactive();

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
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
        if (!active_ && !dir_.isValid()) why_ = "pl_PL.UTF-8 is not installed and no folder to build it in";
        if (!active_ && dir_.isValid()) {
            const int built = QProcess::execute(
                QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("pl_PL"), QStringLiteral("-f"),
                                              QStringLiteral("UTF-8"), dir_.filePath(QStringLiteral("pl_PL.UTF-8"))});
            if (built == 0) {
                setenv("LOCPATH", dir_.path().toLocal8Bit().constData(), 1);
                active_ = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr;
                unsetenv("LOCPATH");
                if (!active_) why_ = "localedef built pl_PL.UTF-8 but setlocale refused it";
            } else {
                why_ = "pl_PL.UTF-8 is not installed and localedef could not build it (exit " + std::to_string(built) +
                       ")";
            }
        }
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
    QTemporaryDir dir_;
    std::string previous_;
    bool active_ = false;
    std::string why_;
};

}  // namespace vorda::test

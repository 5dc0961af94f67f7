#include <gtest/gtest.h>

#include <QApplication>

// The window tests need one application object for the whole run.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_presenter_ui";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = new QApplication(argc, argv);
    }

private:
    QApplication* app_ = nullptr;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

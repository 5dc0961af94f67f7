#pragma once
// A shown chart window over a temporary directory, its dialogs answered by the test's
// `Dialogs`.

#include "wizor_form.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace wizor {

template <typename Dialogs>
class WizorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<TWizorForm1>(dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QString write(const QString& name, const QByteArray& text, bool append = false)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(append ? QIODevice::Append : QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    // The program sits in bin/ below the start-up directory, so bin/../Help is that
    // directory's Help too.
    void startWith(const QString& path) { window->start(path, dir.path(), dir.filePath("bin")); }

    QTemporaryDir dir;
    Dialogs dialogs;
    std::unique_ptr<TWizorForm1> window;
};

}  // namespace wizor

#pragma once
// Runs a command-line program (vorda-cli by default) in a start-up directory and collects
// its exit status and output, for tests that drive the programs as a user would.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

namespace vorda::test {

struct CliRun {
    int exitCode = -1;  // -1 when the program crashed or did not finish
    QString out;
    QString err;
};

inline QString vordaCliPath()
{
    return QStringLiteral(VORDA_BINARY_DIR "/recorder/cli/vorda-cli");
}

// The environment of a program a test starts: the machine's, with the language variables
// set so that the program speaks Polish (`language` "pl") or English ("en") whatever the
// locale of the machine running the tests. The numbers stay in the C locale.
inline QProcessEnvironment languageEnvironment(const QString& language = QStringLiteral("pl"))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANGUAGE"), language);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        environment.insert(QString::fromLatin1(name), QStringLiteral("C.UTF-8"));
    return environment;
}

// `input`, when given, is the program's standard input; otherwise it reads an empty one.
// The program speaks Polish unless `environment` says otherwise.
inline CliRun runProgram(const QString& dir, const QStringList& args, const QString& program = vordaCliPath(),
                         const std::optional<QByteArray>& input = std::nullopt,
                         const QProcessEnvironment& environment = languageEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessEnvironment(environment);
    if (!input) process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    CliRun run;
    if (input) {
        if (!process.waitForStarted(30000)) return run;
        process.write(*input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace vorda::test

#pragma once
// recorder-sim's engine behind a FakeTransport: a SerialLink talks to the simulated
// recorder with no pseudo-terminal and no second process. Every byte written reaches the
// engine at once; each read takes at most one chunk of its reply, so a "$" aborts a dump
// in the middle as on a real line. The recorder's clock is `nowMs`,
// which moves only when a test moves it: every run exchanges the same bytes.
// Tests that use it link recorder_sim_lib and vorda_test_support.
//
//   test::SimulatedLine line({"--blocks", "3", "--wrong-block-number", "1:2"});
//   SerialLink link(settings, line.takeTransport(), dir);
//   ... EXPECT_EQ(line.commands, ...);

#include "link/serial_link.h"
#include "recorder_engine.h"
#include "sim_options.h"
#include "support/fake_transport.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vorda::test {

class SimulatedLine {
public:
    // `arguments` as recorder-sim takes them; errorText() says what was wrong with them.
    explicit SimulatedLine(const QStringList& arguments)
    {
        std::vector<std::string> args;
        for (const QString& a : arguments) args.push_back(a.toStdString());
        std::string error;
        const std::optional<recsim::SimOptions> options = recsim::parseOptions(args, error);
        if (!options) {
            error_ = QString::fromStdString(error);
            return;
        }
        engine_ =
            std::make_unique<recsim::RecorderEngine>(options->config, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        engine_->onCommand = [this](std::string_view c) { commands << QByteArray(c.data(), qsizetype(c.size())); };
        std::tie(transport_, script) = FakeTransport::create();
        script->onWrite = [this](const QByteArray& bytes) { receive(bytes); };
        script->onRead = [this] { serveRead(); };
    }

    bool valid() const { return engine_ != nullptr; }
    QString errorText() const { return error_; }

    // The transport for the link under test (once).
    std::unique_ptr<SerialTransport> takeTransport() { return std::move(transport_); }

    recsim::RecorderEngine& engine() { return *engine_; }

    // Every command the recorder received, exact bytes, a lone "$" as an entry of its own.
    QList<QByteArray> commands;
    // The fake under the link, for faults and for what the link did with the port.
    std::shared_ptr<FakeTransport::Script> script;
    // The recorder's monotonic time in milliseconds.
    std::int64_t nowMs = 0;

private:
    void receive(const QByteArray& bytes)
    {
        engine_->receive(std::string_view(bytes.constData(), std::size_t(bytes.size())), nowMs);
        // Reply bytes of an earlier command that nobody read are gone, as a real port
        // drops what arrives while it is closed.
        if (engine_->takeDiscardRequest()) script->chunks.clear();
    }

    void serveRead()
    {
        script->pendingCommand.clear();
        engine_->advance(nowMs);
        if (!script->isOpen || !script->chunks.empty()) return;
        const std::string_view pending = engine_->pendingOutput();
        const std::size_t n = std::min<std::size_t>(pending.size(), kChunkSize);
        if (n == 0) return;
        script->chunks.push_back(QByteArray(pending.data(), qsizetype(n)));
        engine_->markSent(n);
    }

    QString error_;
    std::unique_ptr<recsim::RecorderEngine> engine_;
    std::unique_ptr<FakeTransport> transport_;
};

}  // namespace vorda::test

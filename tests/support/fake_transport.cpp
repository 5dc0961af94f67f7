#include "support/fake_transport.h"

#include <algorithm>
#include <utility>

namespace vorda {

FakeTransport::FakeTransport(std::shared_ptr<Script> script) : script_(std::move(script)) {}

std::pair<std::unique_ptr<FakeTransport>, std::shared_ptr<FakeTransport::Script>> FakeTransport::create()
{
    auto script = std::make_shared<Script>();
    return {std::make_unique<FakeTransport>(script), script};
}

bool FakeTransport::open(const QString& device)
{
    ++script_->openCalls;
    script_->opened.push_back(device);
    if (script_->openFails || script_->isOpen) return false;
    script_->isOpen = true;
    return true;
}

bool FakeTransport::isOpen() const
{
    return script_->isOpen;
}

bool FakeTransport::setReadTimeouts(ReadTimeouts timeouts)
{
    if (!script_->isOpen || script_->timeoutsFail) return false;
    script_->timeouts = timeouts;
    return true;
}

bool FakeTransport::applyLineSettings(const LineSettings& line)
{
    if (!script_->isOpen || script_->lineFails) return false;
    script_->line = line;
    return true;
}

WriteResult FakeTransport::write(const char* data, std::int64_t size)
{
    ++script_->writeCalls;
    script_->writeSizes.push_back(size);
    if (!script_->isOpen) return {WriteError::Other, 0};
    if (script_->writeError != WriteError::None) return {script_->writeError, 0};
    if (script_->shortWrites) return {WriteError::None, 0};
    script_->written.append(data, size);
    script_->pendingCommand.append(data, size);
    if (const auto hook = script_->onWrite) hook(QByteArray(data, static_cast<qsizetype>(size)));
    return {WriteError::None, size};
}

ReadError FakeTransport::read(QByteArray& chunk, int maxBytes)
{
    chunk.clear();
    ++script_->readCalls;
    // A copy, so the hook may replace itself.
    if (const auto hook = script_->onRead) hook();
    if (!script_->isOpen) return ReadError::Other;
    if (script_->readError) return *script_->readError;
    if (script_->responder && !script_->pendingCommand.isEmpty()) {
        const QByteArray command = std::exchange(script_->pendingCommand, {});
        for (const QByteArray& c : script_->responder(command)) script_->chunks.push_back(c);
    }
    script_->pendingCommand.clear();
    if (script_->chunks.empty()) return ReadError::None;
    QByteArray& next = script_->chunks.front();
    const int n = std::min<int>(maxBytes, next.size());
    chunk = next.left(n);
    next.remove(0, n);
    if (next.isEmpty()) script_->chunks.pop_front();
    return ReadError::None;
}

void FakeTransport::close()
{
    ++script_->closeCalls;
    script_->isOpen = false;
}

QString FakeTransport::errorText() const
{
    return script_->openFails ? script_->openErrorText : QString();
}

}  // namespace vorda

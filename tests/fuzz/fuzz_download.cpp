// The download loop against the scripted line, whatever the recorder answers: the single
// block download writes every byte of the reply to the dump, as received, and ends on
// the silence after it (never earlier, never with a read more); the memory read asks for
// blocks 1, 2, 3, ... in order, gives up after seven bad headers in a row, and always
// leaves the port closed and the link free. Dumps and files stay in memory.

#include "fuzz_check.h"

#include "core/program_state.h"
#include "core/reporter.h"
#include "core/settings_files.h"
#include "core/settings_record.h"
#include "files/dump_conversion.h"
#include "link/memory_download.h"
#include "link/recorder_protocol.h"
#include "link/serial_link.h"
#include "support/fake_transport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

using namespace vorda;

namespace {

// The block number of a " ?MEM n &" command, or -1 for any other command.
int memoryBlock(const QByteArray& command)
{
    if (!command.startsWith(" ?MEM ")) return -1;
    return command.mid(6, command.size() - 8).toInt();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;  // the data directory must exist; nothing is written to it
    fuzz::InputReader in(data, size);
    const bool wholeMemory = in.byte() & 1;
    // One answer per command, separated by 0xFF bytes; commands beyond them hear silence.
    std::vector<QByteArray> answers;
    while (!in.empty()) {
        const std::string_view answer = in.until('\xff');
        answers.emplace_back(answer.data(), qsizetype(answer.size()));
    }

    Settings settings{};
    ProgramState state;
    state.setStartDir(dir.path());
    applyStartupDefaults(settings, dir.path());
    settings.portNumber = 1;
    setFieldText(settings.portParams, ":38400,n,8,1");
    auto [transport, script] = FakeTransport::create();
    std::vector<QByteArray> commands;
    script->responder = [&](const QByteArray& command) -> QList<QByteArray> {
        commands.push_back(command);
        const std::size_t i = commands.size() - 1;
        if (i >= answers.size() || answers[i].isEmpty()) return {};
        return {answers[i]};
    };
    Reporter quiet;
    SerialLink link(settings, std::move(transport), dir.path());
    MemoryDownload download(settings, state, link, quiet);
    MemoryDumpStore store;
    download.setDumpStore(&store);

    if (!wholeMemory) {
        const BlockDownload block = download.downloadBlock(3);
        FUZZ_CHECK(block.dumpCreated && block.commandSent && !block.aborted);
        FUZZ_CHECK(commands.size() == 1 && commands[0] == memoryCommand(3));
        const QByteArray answer = answers.empty() ? QByteArray() : answers[0];
        // Every byte as received, NUL bytes included, and nothing else.
        FUZZ_CHECK(store.dump == answer);
        FUZZ_CHECK(block.bytes == answer.size());
        // Ended on silence: one read per chunk of at most 200 bytes, then the silent one.
        FUZZ_CHECK(script->readCalls == int((answer.size() + kChunkSize - 1) / kChunkSize) + 1);
    } else {
        setFieldText(settings.dataDirectory, QDir::toNativeSeparators(dir.path()).toStdString());
        const ReadOutcome outcome = download.readMemory();
        int lastBlock = 0;
        int failuresInARow = 0;
        for (std::size_t i = 0; i < commands.size(); ++i) {
            const int block = memoryBlock(commands[i]);
            if (block < 0) {
                ++failuresInARow;
                continue;
            }
            // Each block once, in order, right after the read of its own header.
            FUZZ_CHECK(block == lastBlock + 1);
            FUZZ_CHECK(i > 0 && commands[i - 1] == registerCommand(block));
            lastBlock = block;
            failuresInARow = 0;
        }
        // Three reads of register 0 and at most seven header reads of one block in a row.
        FUZZ_CHECK(commands.size() >= 3);
        FUZZ_CHECK(failuresInARow <= 3 + 7);
        if (outcome == ReadOutcome::NoBlocks || outcome == ReadOutcome::NoCommunication) FUZZ_CHECK(lastBlock == 0);
        // The dump holds the answer to the last block asked for, unless a header read left
        // part of a long answer on the line (a register read takes one chunk).
        bool leftovers = false;
        for (std::size_t i = 0; i < commands.size() && i < answers.size(); ++i)
            if (memoryBlock(commands[i]) < 0 && answers[i].size() > kChunkSize) leftovers = true;
        for (std::size_t i = commands.size(); !leftovers && i-- > 0;) {
            if (memoryBlock(commands[i]) < 0) continue;
            FUZZ_CHECK(store.dump == (i < answers.size() ? answers[i] : QByteArray()));
            break;
        }
    }
    FUZZ_CHECK(!script->isOpen);
    FUZZ_CHECK(settings.portOpen == 0);
    FUZZ_CHECK(!link.exchangeInProgress());
    return 0;
}

#include "sim_options.h"

#include "scenario.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace recsim {

namespace {

template <typename T>
bool parseNumber(const std::string& text, T& value, T minimum)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= minimum;
}

// "A:B" with both numbers, or "A" alone when the second is optional.
template <typename A, typename B>
bool parsePair(const std::string& text, A& first, B& second, bool secondOptional)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return secondOptional && parseNumber<A>(text, first, 0);
    }
    return parseNumber<A>(text.substr(0, colon), first, 0) && parseNumber<B>(text.substr(colon + 1), second, 0);
}

// "V1,V2,..." of codes 0-65535.
bool parseValueList(const std::string& text, std::vector<int>& values)
{
    values.clear();
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        int v = 0;
        if (!parseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), v, 0) ||
            v > 65535 || values.size() == 16)
            return false;
        values.push_back(v);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

}  // namespace

std::string helpText()
{
    return R"(Usage: recorder-sim [options]

Simulates a multi-channel data recorder on a pseudo-terminal. The first line
printed on standard output is the device path of the terminal to open (any
line parameters are accepted); the program then answers the recorder's
commands until it is stopped with Ctrl+C (SIGINT) or SIGTERM.

Recorder:
  --model Rn            model and record type, R1 to R5 (default R3)
  --blocks N            stored blocks made by the generator (default 0)
  --samples S           samples per generated block (default 500); also the
                        sample count register 0 reports as set
  --channels C          channels per generated block, 1-16 (default 4); also
                        the channel count set
  --period MS           sampling period in ms (default 10); also the one set
  --trigger             triggering on: the option word's bit 0 is set in the
                        generated blocks and in register 0 (record type 5 then
                        sends a time stamp with every sample)
  --memory N            memory size in measurements over all channels
                        (default 1000000); free memory is this less the
                        stored blocks
  --scenario FILE       stored blocks (and optionally model and memory) from
                        a scenario file instead of the generator; --model on
                        the command line wins over the file's model line

Scenario file, one item a line, '#' starts a comment:
  model R5
  memory 200000
  block DATE TIME SAMPLES PERIOD CHANNELS OPTION [VALUE ...]
    DATE yyyy-mm-dd, TIME HH:mm:ss, OPTION the option word (bit 0 trigger).
    VALUEs (0-65535) are the slot values sample after sample, reused
    cyclically; for R1 the last slot holds the digital inputs (bit 0 input 1,
    bit 1 input 2). Without values the block holds a generated signal.

Current values (what " ?DAT &" answers; without them every channel drifts
slowly around its own level):
  --dat V1,V2,...       raw values of channels 1, 2, ... (0-65535, up to 16);
                        channels past the list keep the generated signal
  --dat-after N:V1,V2,...
                        from the reply after N " ?DAT &" replies on, these
                        values instead (N = 0: from the first)
  --dat-noise N         move each listed value by up to +-N codes, differently
                        in every reply
  Scenario lines "dat V1 V2 ...", "dat-after N V1 V2 ..." and "dat-noise N"
  do the same; the command line wins.

Line and log:
  --link PATH           create a symbolic link PATH to the device (replacing an
                        old link there); removed on exit
  --baud N              pace the replies at N/11 characters a second, as an
                        8N2 line of N baud would (default: no pacing)
  --log FILE            append every command received to FILE, one line per
                        command, written as soon as the command is complete.
                        Bytes 0x20-0x7E stand as they are (the blank too)
                        except the backslash, written "\\"; every other byte is
                        written "\xhh". A command ends with '&'; a lone "$"
                        that aborts a transfer is a command of its own (one
                        that comes when no transfer runs is logged when the
                        command after it is complete).
  --verbose             also print each command on standard error

Commands understood: " ?R_n &" (register n), " ?DAT &" (current raw values),
" ?MEM n &" (block dump, then silence), "CLR_M &", "  START &" (a block
appears after sampling time x sample count), "$" (aborts a transfer in
progress), "$ $_END &" (stops a measurement: the samples taken so far become
a block, none if no sample was taken), "M_S v &", "M_C v &" and the settings
command with the clauses M_S, M_C, kN, TIME t DATE d, L_D, L_U, O_T/O_N,
S_B v S_C v. A register past the stored blocks answers like register 0;
" ?MEM n &" for a block that does not exist gets no answer; anything else
not understood is ignored (and logged).

Fault injection:
  --silent-register N   never answer register N (repeatable)
  --wrong-block-number K[:N]
                        the first K replies to block registers (to register N
                        only, when given) report block number 0
  --garbage N[:K]       send N noise bytes ("#~*%...") before every reply (the
                        first K replies only, when given)
  --nul-in-dump OFFSET  insert a NUL byte at OFFSET (0 = first byte) of every
                        block dump
  --cut-block N:BYTES   the dump of block N stops after BYTES bytes, as if the
                        cable were pulled (repeatable)
  --dump-trailer        send CR LF after the samples of every block dump
  --short-register N    every register reply holds only its first N tokens
  --short-dat N         every " ?DAT &" reply holds only its first N values
  --never-silent        after a block dump keep sending '0' characters until
                        "$"; without --baud all replies are then paced at
                        )" +
           std::to_string(kFillerBaud) +
           R"( baud

  --help                show this text
)";
}

namespace {

// What the command line says beyond the options themselves, applied once all are read.
struct ParseState {
    int blocks = 0;
    bool trigger = false;
    bool modelGiven = false;
    bool datGiven = false, datAfterGiven = false, noiseGiven = false;
    std::string scenarioPath;
};

const std::set<std::string> kValuedOptions = {"--model",
                                              "--blocks",
                                              "--samples",
                                              "--channels",
                                              "--period",
                                              "--memory",
                                              "--scenario",
                                              "--link",
                                              "--baud",
                                              "--log",
                                              "--dat",
                                              "--dat-after",
                                              "--dat-noise",
                                              "--silent-register",
                                              "--wrong-block-number",
                                              "--garbage",
                                              "--nul-in-dump",
                                              "--cut-block",
                                              "--short-register",
                                              "--short-dat"};

// One option that takes a value; false when the value is not valid for it.
bool applyValue(const std::string& arg, const std::string& v, SimOptions& options, ParseState& state)
{
    SimConfig& config = options.config;
    Faults& faults = config.faults;
    if (arg == "--model") {
        const std::string tag = v.size() == 1 ? "R" + v : v;
        if (tag.size() != 2 || tag[0] != 'R' || tag[1] < '1' || tag[1] > '5') return false;
        config.modelDigit = tag[1];
        state.modelGiven = true;
        return true;
    }
    if (arg == "--blocks") return parseNumber(v, state.blocks, 0);
    if (arg == "--samples") return parseNumber(v, config.settings.sampleCount, 0);
    if (arg == "--channels")
        return parseNumber(v, config.settings.channelCount, 1) && config.settings.channelCount <= 16;
    if (arg == "--period") return parseNumber(v, config.settings.samplingMs, 1);
    if (arg == "--memory") return parseNumber(v, config.memoryCapacity, 0LL);
    if (arg == "--baud") return parseNumber(v, options.baud, 0L);
    if (arg == "--scenario" || arg == "--link" || arg == "--log") {
        (arg == "--scenario" ? state.scenarioPath : arg == "--link" ? options.linkPath : options.logPath) = v;
        return true;
    }
    if (arg == "--silent-register") {
        int n = 0;
        if (!parseNumber(v, n, 0)) return false;
        faults.silentRegisters.insert(n);
        return true;
    }
    if (arg == "--wrong-block-number")
        return parsePair(v, faults.wrongBlockNumberTimes, faults.wrongBlockNumberRegister, true);
    if (arg == "--garbage") return parsePair(v, faults.garbageBytes, faults.garbageTimes, true);
    if (arg == "--nul-in-dump") return parseNumber(v, faults.nulInDumpAt, 0L);
    if (arg == "--short-register") return parseNumber(v, faults.registerTokens, 0);
    if (arg == "--short-dat") return parseNumber(v, faults.datValues, 0);
    if (arg == "--cut-block") {
        int block = 0;
        long bytes = 0;
        if (!parsePair(v, block, bytes, false)) return false;
        faults.cutBlocks[block] = bytes;
        return true;
    }
    if (arg == "--dat") return state.datGiven = parseValueList(v, config.dat.values);
    if (arg == "--dat-after") {
        const auto colon = v.find(':');
        return state.datAfterGiven = colon != std::string::npos &&
                                     parseNumber(v.substr(0, colon), config.dat.afterReplies, 0L) &&
                                     parseValueList(v.substr(colon + 1), config.dat.laterValues);
    }
    // --dat-noise
    return state.noiseGiven = parseNumber(v, config.dat.noise, 0) && config.dat.noise <= 10000;
}

// The blocks, from the scenario file or the generator; a scenario's current values yield
// to those of the command line.
bool finishConfig(SimConfig& config, const ParseState& state, std::string& error)
{
    if (state.trigger) config.settings.optionWord |= 1;
    if (state.scenarioPath.empty()) {
        config.blocks = generateBlocks(state.blocks, config.settings.sampleCount, config.settings.channelCount,
                                       config.settings.samplingMs, config.settings.optionWord);
        return true;
    }
    auto scenario = loadScenario(state.scenarioPath, error);
    if (!scenario) return false;
    if (scenario->modelDigit && !state.modelGiven) config.modelDigit = *scenario->modelDigit;
    if (scenario->memoryCapacity) config.memoryCapacity = *scenario->memoryCapacity;
    config.blocks = std::move(scenario->blocks);
    if (scenario->dat.values.size() && !state.datGiven) config.dat.values = scenario->dat.values;
    if (scenario->dat.afterReplies >= 0 && !state.datAfterGiven) {
        config.dat.afterReplies = scenario->dat.afterReplies;
        config.dat.laterValues = scenario->dat.laterValues;
    }
    if (scenario->dat.noise > 0 && !state.noiseGiven) config.dat.noise = scenario->dat.noise;
    return true;
}

}  // namespace

std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error)
{
    SimOptions options;
    ParseState state;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--trigger") {
            state.trigger = true;
        } else if (arg == "--never-silent") {
            options.config.faults.neverSilent = true;
        } else if (arg == "--dump-trailer") {
            options.config.faults.dumpTrailer = "\r\n";
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (!kValuedOptions.count(arg)) {
            error = "unknown option " + arg + " (see --help)";
            return std::nullopt;
        } else if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        } else if (!applyValue(arg, args[++i], options, state)) {
            error = "invalid value for " + arg + ": " + args[i];
            return std::nullopt;
        }
    }
    if (!finishConfig(options.config, state, error)) return std::nullopt;
    return options;
}

}  // namespace recsim

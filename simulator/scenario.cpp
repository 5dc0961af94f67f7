#include "scenario.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace recsim {

namespace {

bool validDate(const std::string& s)
{
    return s.size() == 10 && s[4] == '-' && s[7] == '-';
}

bool validTime(const std::string& s)
{
    return s.size() == 8 && s[2] == ':' && s[5] == ':';
}

}  // namespace

std::optional<Scenario> parseScenario(const std::string& text, std::string& error)
{
    Scenario scenario;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        in.imbue(std::locale::classic());
        std::string keyword;
        if (!(in >> keyword)) continue;
        if (keyword == "model") {
            std::string tag;
            in >> tag;
            if (tag.size() != 2 || tag[0] != 'R' || tag[1] < '1' || tag[1] > '5') return fail("model must be R1 to R5");
            scenario.modelDigit = tag[1];
        } else if (keyword == "memory") {
            long long capacity = 0;
            if (!(in >> capacity) || capacity < 0) return fail("memory needs a count of measurements");
            scenario.memoryCapacity = capacity;
        } else if (keyword == "block") {
            Block b;
            if (!(in >> b.date >> b.time >> b.sampleCount >> b.samplingMs >> b.channelCount >> b.optionWord)) {
                return fail("block needs date, time, samples, period, channels and option word");
            }
            if (!validDate(b.date) || !validTime(b.time)) return fail("date must be yyyy-mm-dd and time HH:mm:ss");
            if (b.sampleCount < 0 || b.samplingMs < 1 || b.channelCount < 1 || b.channelCount > 16) {
                return fail("samples >= 0, period >= 1 and channels 1 to 16 expected");
            }
            long value = 0;
            while (in >> value) {
                if (value < 0 || value > 65535) return fail("values must lie in 0 to 65535");
                b.values.push_back(static_cast<std::uint16_t>(value));
            }
            if (!in.eof()) return fail("unreadable value");
            scenario.blocks.push_back(std::move(b));
        } else if (keyword == "dat" || keyword == "dat-after") {
            long after = 0;
            if (keyword == "dat-after" && (!(in >> after) || after < 0)) return fail("dat-after needs a reply count");
            std::vector<int> values;
            long value = 0;
            while (in >> value) {
                if (value < 0 || value > 65535 || values.size() == 16) return fail("up to 16 values in 0 to 65535");
                values.push_back(static_cast<int>(value));
            }
            if (!in.eof() || values.empty()) return fail("unreadable value");
            if (keyword == "dat") {
                scenario.dat.values = std::move(values);
            } else {
                scenario.dat.afterReplies = after;
                scenario.dat.laterValues = std::move(values);
            }
        } else if (keyword == "dat-noise") {
            if (!(in >> scenario.dat.noise) || scenario.dat.noise < 0) return fail("dat-noise needs a count of codes");
        } else {
            return fail("unknown keyword '" + keyword + "'");
        }
    }
    return scenario;
}

std::optional<Scenario> loadScenario(const std::string& path, std::string& error)
{
    // A device, a FIFO or a directory is no scenario: /dev/zero would be read for ever.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = path + " is not a regular file";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    // Read with a cap, so a file that grows while it is read is refused all the same.
    std::string text(kMaxScenarioBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxScenarioBytes) {
        error =
            path + " is larger than " + std::to_string(kMaxScenarioBytes / (1024 * 1024)) + " MiB: not a scenario file";
        return std::nullopt;
    }
    auto scenario = parseScenario(text, error);
    if (!scenario) error = path + ", " + error;
    return scenario;
}

}  // namespace recsim

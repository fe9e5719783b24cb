#include "tools/UploadOptions.h"

#include "channels/vnWords.h"
#include "modules/gre1/vnSerialPort.h"
#include "res/ResourceIds.h"
#include "tools/ColumnOption.h"

#include <algorithm>
#include <charconv>

namespace {

template <typename Number> bool ParseNumber(std::string_view text, Number* value)
{
    const char* end = text.data() + text.size();
    auto [last, error] = std::from_chars(text.data(), end, *value);
    return !text.empty() && error == std::errc() && last == end;
}

// Channel lists stay small: at most this many channels in one run.
constexpr std::size_t kMaxListedChannels = 100000;

} // namespace

bool UploadOptions::ParseChannelList(const std::string& text, std::vector<std::int32_t>* channels)
{
    channels->clear();
    std::string_view rest(text);
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view part = rest.substr(0, comma);
        const std::size_t dash = part.find('-');
        std::int32_t first = 0;
        std::int32_t last = 0;
        if (dash == std::string_view::npos) {
            if (!ParseNumber(part, &first))
                return false;
            last = first;
        } else if (!ParseNumber(part.substr(0, dash), &first) || !ParseNumber(part.substr(dash + 1), &last)) {
            return false;
        }
        if (first < 1 || last < first ||
            static_cast<std::size_t>(last - first) + channels->size() >= kMaxListedChannels)
            return false;
        for (std::int32_t number = first; number <= last; ++number)
            channels->push_back(number);
        if (comma == std::string_view::npos)
            return true;
        rest.remove_prefix(comma + 1);
    }
}

bool UploadOptions::Parse(const std::vector<std::string>& arguments, UploadOptions* options, std::string* error)
{
    *options = UploadOptions{};
    bool haveFile = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string* text) {
            if (i + 1 >= arguments.size()) {
                *error = vnWords::Say(IDS_OPTION_NEEDS_VALUE, {option});
                return false;
            }
            *text = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options->help = true;
        } else if (option == "--version") {
            options->version = true;
        } else if (option == "--dry-run") {
            options->dryRun = true;
        } else if (option == "--skip-out-of-band") {
            options->skipOutOfBand = true;
        } else if (option == "--ignore-bands") {
            options->ignoreBands = true;
        } else if (option == "--changed") {
            options->changed = true;
        } else if (option == "--lock-out-emptied") {
            options->lockOutEmptied = true;
        } else if (option == "--scanner") {
            if (!value(&text))
                return false;
            if (text.empty()) {
                *error = vnWords::Say(IDS_SCANNER_NEEDS_NAME);
                return false;
            }
            options->scanner = text;
        } else if (option == "--column") {
            if (!value(&text) || !ParseColumnOption(text, options->columns, *error))
                return false;
        } else if (option == "--port") {
            if (!value(&text))
                return false;
            if (text.empty()) {
                *error = vnWords::Say(IDS_PORT_NEEDS_DEVICE);
                return false;
            }
            options->port = text;
        } else if (option == "--baud") {
            std::uint32_t baud = 0;
            if (!value(&text))
                return false;
            if (!ParseNumber(std::string_view(text), &baud) || baud < vnSerialPort::MinBaudRate ||
                baud > vnSerialPort::MaxBaudRate) {
                *error = vnWords::Say(IDS_BAUD_OPTION_REFUSED, {text});
                return false;
            }
            options->baud = baud;
        } else if (option == "--stop-bits") {
            if (!value(&text))
                return false;
            if (text != "1" && text != "2") {
                *error = vnWords::Say(IDS_STOP_BITS_OPTION_REFUSED, {text});
                return false;
            }
            options->stopBits = text == "1" ? 1 : 2;
        } else if (option == "--channels") {
            if (!value(&text))
                return false;
            std::vector<std::int32_t> listed;
            if (!ParseChannelList(text, &listed)) {
                *error = vnWords::Say(IDS_CHANNELS_OPTION_REFUSED, {text});
                return false;
            }
            // A channel named twice is still sent once.
            for (const std::int32_t number : listed)
                if (std::find(options->channels.begin(), options->channels.end(), number) == options->channels.end())
                    options->channels.push_back(number);
        } else if (!option.empty() && option[0] == '-' && option != "-") {
            *error = vnWords::Say(IDS_UNKNOWN_OPTION, {option});
            return false;
        } else if (haveFile) {
            *error = vnWords::Say(IDS_ONE_FILE_ONLY);
            return false;
        } else {
            options->file = option;
            haveFile = true;
        }
    }
    if (options->changed && !options->channels.empty()) {
        *error = vnWords::Say(IDS_CHANGED_OR_CHANNELS);
        return false;
    }
    if (options->skipOutOfBand && options->ignoreBands) {
        *error = vnWords::Say(IDS_SKIP_OR_IGNORE_BANDS);
        return false;
    }
    if (!haveFile && !options->help && !options->version) {
        *error = vnWords::Say(IDS_NO_FILE_GIVEN);
        return false;
    }
    return true;
}

#include "tools/ConvertCommand.h"

#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "channels/vnWords.h"
#include "core/ChannelChirpExport.h"
#include "core/ChannelFile.h"
#include "core/ChannelOpenReport.h"
#include "modules/vnChannelLayout.h"
#include "res/ResourceIds.h"
#include "tools/ColumnOption.h"

#include <filesystem>
#include <system_error>

namespace {

const std::string kStandardStream = "-";

int Fail(int code, std::string& err, const std::string& message)
{
    err += message + "\n";
    return code;
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// The output as the warnings name it.
std::string OutputName(const std::string& output)
{
    return output == kStandardStream ? vnWords::Say(IDS_THE_OUTPUT) : std::filesystem::path(output).filename().string();
}

} // namespace

const char* ConvertCommand::Usage()
{
    static const std::string usage =
        std::string("Usage: scanlore-convert [--to scanlore|chirp] [--column ROLE=NAME]... FILE [OUT|-]\n"
                    "\n"
                    "Reads the channel file FILE (- for standard input) exactly as Scanlore's Open\n"
                    "does and writes it in Scanlore's layout (the default) or CHIRP's CSV layout to\n"
                    "OUT, or to standard output without OUT or with -. Open's summary goes to\n"
                    "standard error.\n"
                    "\n"
                    "Options:\n"
                    "  --to scanlore|chirp  the layout written\n") +
        ColumnOptionUsage() +
        "\n"
        "Exit status: 0 written, 1 writing OUT failed, 2 bad usage or a file that is\n"
        "refused or cannot be read.\n";
    return usage.c_str();
}

int ConvertCommand::Run(const std::vector<std::string>& arguments, const vnChannelLayout& layout, int inputFd,
                        std::string& out, std::string& err)
{
    bool chirp = false;
    ChannelColumnChoice columns;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            out += Usage();
            return Done;
        }
        if (argument == "--to") {
            if (++i == arguments.size() || (arguments[i] != "scanlore" && arguments[i] != "chirp"))
                return Fail(BadUsage, err, "scanlore-convert: " + vnWords::Say(IDS_TO_REFUSED) + "\n\n" + Usage());
            chirp = arguments[i] == "chirp";
        } else if (argument == "--column") {
            std::string error = vnWords::Say(IDS_COLUMN_NEEDS_VALUE);
            if (++i == arguments.size() || !ParseColumnOption(arguments[i], columns, error))
                return Fail(BadUsage, err, "scanlore-convert: " + error + "\n\n" + Usage());
        } else if (argument.size() > 1 && argument[0] == '-') {
            return Fail(BadUsage, err,
                        "scanlore-convert: " + vnWords::Say(IDS_UNKNOWN_OPTION, {argument}) + "\n\n" + Usage());
        } else {
            names.push_back(argument);
        }
    }
    if (names.empty() || names.size() > 2)
        return Fail(BadUsage, err, "scanlore-convert: " + vnWords::Say(IDS_GIVE_FILE_AND_OUT) + "\n\n" + Usage());
    const std::string& file = names[0];
    const std::string output = names.size() > 1 ? names[1] : kStandardStream;
    if (output != kStandardStream && file != kStandardStream && SameFile(file, output))
        return Fail(BadUsage, err, "scanlore-convert: " + vnWords::Say(IDS_OUT_IS_FILE));

    vnChannelList channels;
    layout.MakeChannels(channels);
    const ChannelOpenReport read = OpenChannelArgument(file, inputFd, channels, columns, layout.GetChannelsPerBank());
    // A file read only in part would be written as if it were all of it.
    if (!read.failure.empty())
        return Fail(BadUsage, err, read.failure);
    // What was read, even from Scanlore's own file: the output is another file.
    err += read.summary + "\n";
    if (!read.notLoaded.empty())
        err += read.notLoaded + "\n";

    vnCellTable table = chirp ? MakeChirpTable(channels) : MakeChannelTable(channels);
    vnDelimitedFile writer(&table);
    if (output == kStandardStream) {
        out += writer.WriteText();
    } else if (!writer.Write(output)) {
        return Fail(WriteFailed, err, SaveFailedMessage(output, writer.GetLastError()));
    }
    // Written, but without what CHIRP cannot hold: the user is told, as the
    // window tells.
    if (const std::string dropped = chirp ? ChirpExportWarning(channels, OutputName(output)) : std::string();
        !dropped.empty())
        err += dropped + "\n";
    return Done;
}

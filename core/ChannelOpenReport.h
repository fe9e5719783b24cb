#pragma once

#include "core/ChannelFile.h"

#include <string>

class vnChannelList;

// A channel file read as Open reads it, and what the user hears about it:
// the window, scanlore-upload and scanlore-convert present these texts and
// decide nothing about the file themselves.
struct ChannelOpenReport
{
    // What was read (ChannelFileResult::ok: all of it; changed: the channels
    // hold what was read), what was left out and why.
    ChannelFileResult result;
    // The file's name in the texts.
    std::string name;

    // Why the file could not be read whole: "The channel file "x" could not
    // be read:\n<reason>". Empty when it was.
    std::string failure;
    // For a front end that shows a file read in part (the window): what the
    // channels now hold and what Save does. Empty unless read in part.
    std::string readInPart;
    // "Read 57 channels from county.csv (RadioReference layout). …"
    std::string summary;
    // Whether the summary says more than the number of channels read, so
    // that the window shows it.
    bool hasNotes = false;
    // Lines of Scanlore's own layout beyond the channel list; empty when none.
    std::string notLoaded;
    // The summary when it has notes, then the lines not loaded: what the
    // window shows after a whole read; empty when there is nothing to say.
    std::string Notes() const;
    // Lines were skipped or not loaded, or read not as they stand, or
    // frequencies lie off the channel steps: the notes are a warning.
    bool HasShortfall() const;
};

// Reads the file into the channels (see ReadChannelFile).
ChannelOpenReport OpenChannelFile(const std::string& path, vnChannelList& channels,
                                  const ChannelReadProgress& progress = ChannelReadProgress(),
                                  const ChannelColumnChoice* choice = nullptr, std::int32_t channelsPerBank = 0);
// The same from a descriptor already open, read to its end; name stands for
// the file in the texts.
ChannelOpenReport OpenChannelDescriptor(int fd, const std::string& name, vnChannelList& channels,
                                        const ChannelColumnChoice* choice = nullptr, std::int32_t channelsPerBank = 0);

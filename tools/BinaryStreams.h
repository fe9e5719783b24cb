#pragma once

// Standard input and output carry a channel file's bytes unchanged: on
// Windows the C library would otherwise turn each line feed written into
// CR LF (so CR LF lines became CR CR LF) and stop reading at a Ctrl+Z.
void UseBinaryStandardStreams();

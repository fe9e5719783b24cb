#include "tools/BinaryStreams.h"

// POSIX streams never translate bytes.
void UseBinaryStandardStreams() {}

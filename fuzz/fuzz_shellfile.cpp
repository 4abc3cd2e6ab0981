// fuzz_shellfile.cpp - any bytes as a shell-parameter file (".shl"), through
// loadshellparameter and, when loaded, the redraw and a tiny trace.
#include "files/files.h"
#include "fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::setup();
    restart();  // each input starts from the defaults
    char name[128];
    fuzz::writeinput(name, ".shl", data, size);
    if (loadshellparameter(name)) fuzz::followload();
    return 0;
}

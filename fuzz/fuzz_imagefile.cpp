// fuzz_imagefile.cpp - any bytes as an image file (".bp"), through readbitmap
// as the menu's "shell bitmap" and the sample library call it.
#include "files/files.h"
#include "fuzz/fuzz_common.h"
#include "platform/gl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::setup();
    char name[128];
    fuzz::writeinput(name, ".bp", data, size);
    gl::Int32 win = readbitmap(name, 0, 0);
    if (win > 0) gl::winclose(win);
    return 0;
}

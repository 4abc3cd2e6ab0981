// fuzz_texturefile.cpp - any bytes as a texture file (".ttr"), through
// loadtexture and viewtexture and, when loaded, the redraw and a tiny trace
// of a small shell with the loaded texture.
#include "files/files.h"
#include "fuzz/fuzz_common.h"
#include "platform/gl.h"

namespace {

// A small shell that every input is traced with.
void smallshell()
{
    restart();
    addnode(-2.0, 0.0, 0.0);
    addnode(0.0, 1.5, 0.0);
    addnode(2.0, 0.0, 0.0);
    CurrSelectPoint = nullptr;
    helico_endangle = 6.0;
    fitcurve();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::setup();
    smallshell();
    char name[128];
    fuzz::writeinput(name, ".ttr", data, size);
    gl::Int32 win = viewtexture(name, 0, 0);
    if (win > 0) gl::winclose(win);
    std::snprintf(name, sizeof name, "%s/in", fuzz::inputdir());  // the viewer appended ".ttr"
    if (loadtexture(name)) fuzz::followload();
    return 0;
}

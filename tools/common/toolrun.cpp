// toolrun.cpp - messages, progress, safe outputs and shell loading for the
// command-line tools (see toolrun.h).
#include "tools/common/toolrun.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "app/app.h"
#include "curve/curve.h"
#include "files/files.h"

bool toolquiet = false;

namespace {

const char* name = "seashell";
bool finished = false;
bool progressshown = false;
std::string progresslabel;
int progresspercent = -1;

enum { MAXOUT = 8 };
SafeFile outputs[MAXOUT];
int noutputs = 0;

void vmessage(const char* format, va_list ap)
{
    if (progressshown) toolprogressdone();
    std::fprintf(stderr, "%s: ", name);
    std::vfprintf(stderr, format, ap);
    std::fputc('\n', stderr);
}

// The loaders' message box texts end in " !\n" or nothing; one line each.
void hook(const char* text)
{
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
    toolerror("%s", line.c_str());
}

// The modeller's code ends the process through do_exit when memory runs
// out, with status 0: a tool that did not finish must not look successful.
void guard()
{
    if (finished) return;
    toolabandon();
    std::fflush(stdout);
    toolerror("stopped before the end (out of memory)");
    std::fflush(stderr);
    _exit(TOOL_FAILED);
}

}  // namespace

void toolstart(const char* toolname)
{
    name = toolname;
    messagehook = hook;
    std::atexit(guard);
}

const char* toolname() { return name; }

int toolexit(int status)
{
    if (status != TOOL_OK) toolabandon();
    finished = true;
    return status;
}

void toolerror(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    vmessage(format, ap);
    va_end(ap);
}

int toolusage(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    vmessage(format, ap);
    va_end(ap);
    std::fprintf(stderr, "Try '%s --help'.\n", name);
    return TOOL_USAGE;
}

bool toolterminal() { return isatty(2) != 0; }

void toolprogress(const char* label, int percent)
{
    if (toolquiet || !toolterminal()) return;
    if (progressshown && progresslabel == label && progresspercent == percent) return;
    if (progressshown && progresslabel != label) toolprogressdone();
    progresslabel = label;
    progresspercent = percent;
    const int width = 30;
    int filled = percent * width / 100;
    char bar[width + 1];
    for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
    bar[width] = 0;
    std::fprintf(stderr, "\r%s: %s [%s] %3d %%", name, label, bar, percent);
    std::fflush(stderr);
    progressshown = true;
}

void toolprogressdone()
{
    if (!progressshown) return;
    progressshown = false;
    std::fputc('\n', stderr);
}

SafeFile* toolout(const char* path)
{
    if (noutputs == MAXOUT) {
        toolerror("too many output files");
        return nullptr;
    }
    for (int k = 0; k < noutputs; ++k)
        if (std::strcmp(outputs[k].path, path) == 0) {
            toolerror("%s is named for two outputs", path);
            return nullptr;
        }
    SafeFile* f = &outputs[noutputs];
    if (!safeopen(f, path)) {
        toolerror("can not write %s", path);
        return nullptr;
    }
    ++noutputs;
    return f;
}

int toolcommit()
{
    int committed = 0;
    while (committed < noutputs && safecommit(&outputs[committed])) ++committed;
    if (committed == noutputs) {
        noutputs = 0;
        return 1;
    }
    // safecommit removed the failed one's temporary file; those already in
    // place go too, so a run leaves all its files or none.
    toolerror("can not write %s", outputs[committed].path);
    for (int k = 0; k < committed; ++k) std::remove(outputs[k].path);
    for (int k = committed + 1; k < noutputs; ++k) safeabandon(&outputs[k]);
    noutputs = 0;
    return 0;
}

void toolabandon()
{
    for (int k = 0; k < noutputs; ++k) safeabandon(&outputs[k]);
    noutputs = 0;
}

bool toolendswith(const char* s, const char* ext)
{
    std::size_t n = std::strlen(s), m = std::strlen(ext);
    if (n < m) return false;
    for (std::size_t k = 0; k < m; ++k) {
        char a = s[n - m + k], b = ext[k];
        if (a >= 'A' && a <= 'Z') a = (char)(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = (char)(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

int toolloadshell(const char* path)
{
    // The loader appends ".shl" itself, in lower case.
    std::size_t n = std::strlen(path);
    if (n >= 4 && std::strcmp(path + n - 4, ".shl") == 0) n -= 4;
    if (n == 0) {
        toolerror("no shell file named");
        return 0;
    }
    std::string buffer(path, n);
    buffer.resize(n + 8, '\0');
    if (!loadshellparameter(&buffer[0])) return 0;
    // What the curve views' redraw does after every load in the modeller.
    drawinterpolatepath();
    return 1;
}

int toolmain(const char* name, int (*run)(int argc, char** argv), int argc, char** argv)
{
    toolstart(name);
    try {
        return toolexit(run(argc, argv));
    } catch (const std::bad_alloc&) {
        toolerror("out of memory");
        return toolexit(TOOL_FAILED);
    }
}

int toolargs(int argc, char** argv, const char* usage, const char* option, const char** optionvalue,
             const char** args, int want, const char* missing)
{
    int nargs = 0;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "-h") || !std::strcmp(a, "--help")) {
            std::fputs(usage, stdout);
            return TOOL_OK;
        } else if (!std::strcmp(a, "-q") || !std::strcmp(a, "--quiet")) {
            toolquiet = true;
        } else if (option && !std::strcmp(a, option)) {
            if (i + 1 == argc) return toolusage("%s needs a file name", option);
            *optionvalue = argv[++i];
        } else if (a[0] == '-' && a[1]) {
            return toolusage("unknown option %s", a);
        } else if (nargs == want) {
            return toolusage("too many arguments");
        } else {
            args[nargs++] = a;
        }
    }
    if (nargs < want) return toolusage("%s", missing);
    return -1;
}

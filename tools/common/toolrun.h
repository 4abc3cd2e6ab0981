// toolrun.h - what the command-line tools share: messages on standard error,
// the exit statuses, loading a shell file as the modeller does, and output
// files that appear only when a run succeeds.
//
// Use: toolstart("seashell-render") first; then toolerror(...) for messages,
// toolout() for each output file, toolcommit() once every output has been
// written, and return toolexit(status) from main. The file loaders'
// message box texts reach standard error, prefixed with the tool's name.
//
// Outputs are written under "<path>.tmp" (the modeller's safe writer) and
// renamed over their targets by toolcommit; a run that fails, or that the
// modeller's code ends through do_exit (memory exhausted), removes them, so
// nothing half-written is left behind. A target that exists but is not
// writable is refused. Limits: the renames of a group are not atomic as a
// whole; a rename that fails after others succeeded removes those too.
#pragma once
#include "files/fileio.h"

enum { TOOL_OK = 0, TOOL_FAILED = 1, TOOL_USAGE = 2 };

void toolstart(const char* name);
// The whole of a tool's main: toolstart(name), then run, an exhausted memory
// reported as a failure; returns the exit status through toolexit.
int toolmain(const char* name, int (*run)(int argc, char** argv), int argc, char** argv);
// The command line the tools share: -h/--help prints usage and ends the run,
// -q/--quiet sets toolquiet, option (when not null) takes a file name into
// *optionvalue, and exactly want other arguments go to args (missing is the
// message when there are fewer). Returns -1 when the run goes on, otherwise
// the exit status to end with.
int toolargs(int argc, char** argv, const char* usage, const char* option, const char** optionvalue,
             const char** args, int want, const char* missing);
const char* toolname();
// The end of a run: removes the outputs of a failed one and returns status,
// for main to return.
int toolexit(int status);
// "name: message" and a newline on standard error (printf format).
void toolerror(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A usage error: the message, then a pointer to --help. Returns TOOL_USAGE.
int toolusage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when standard error is a terminal (progress is drawn only there).
bool toolterminal();
// A progress bar on standard error: "name: label [#####.....]  45 %", redrawn
// in place; done() ends its line. Nothing is drawn when quiet or when
// standard error is not a terminal.
void toolprogress(const char* label, int percent);
void toolprogressdone();
extern bool toolquiet;

// Opens an output file under its temporary name; reports and returns 0 when
// it cannot be opened or is already an output of the run. At most 8
// outputs per run.
SafeFile* toolout(const char* path);
// Renames every open output over its target; on any failure reports it,
// removes the outputs and returns 0.
int toolcommit();
// Removes every output that is still open (a failed run).
void toolabandon();

// Loads a shell-parameter file by its path (with or without the ".shl",
// which the loader adds) and samples its generating curve as the modeller's
// curve views do, so the surface and the ray tracer see what they would see
// in the modeller. Returns 1 on success; the loader reports failures.
int toolloadshell(const char* path);

// Whether name ends with ext (ASCII, case ignored).
bool toolendswith(const char* name, const char* ext);

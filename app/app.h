// app.h - the application shell: start-up, the six permanent windows, the
// event loop and its redraw dispatch, left-button dragging, the main menu,
// the message box and the file-name dialog.
#pragma once
#include <cstdint>

// Window numbers returned by findwindow().
enum { WIN_NONE = 0, WIN_SHELL = 1, WIN_HELICO = 2, WIN_YZ = 3, WIN_XY = 4, WIN_XZ = 5, WIN_PARAM = 6 };

// Window registry: identifier and the rectangle each window really received.
extern std::int32_t seawid, seaxorigin, seayorigin, seaxsize, seaysize;
extern std::int32_t heli_wid, heli_xorigin, heli_yorigin, heli_xsize, heli_ysize;
extern std::int32_t parawid, paraxorigin, parayorigin, paraxsize, paraysize;
extern std::int32_t generatewid3, generatexorigin3, generateyorigin3, generatexsize3, generateysize3;
extern std::int32_t generatewid, generatexorigin, generateyorigin, generatexsize, generateysize;
extern std::int32_t generatewid2, generatexorigin2, generateyorigin2, generatexsize2, generateysize2;

// Pointer state of the event loop.
extern short mouses[2];  // 266, 267: the pointer valuators
extern short mp[2], oldp[2], lastp[2];
extern short val;
extern std::int32_t track;
extern int dragwindow;

// The program: start-up, then the loop. Returns only through do_exit.
int seashell_main();
void InitWin();
int findwindow();
void redraw(int w);
void redraw2(int w);
[[noreturn]] void do_exit();

// Main menu.
void SeaMenuFunc(int code);

// Left-button dragging.
void setTInit(int x, int y, int w);
void setT(int x, int oldx, int y, int oldy, int w);

// Message box and file-name dialog.
void messagebox(const char* text);
// When set, messagebox hands its text here instead of opening a window: the
// command-line tools print the file loaders' messages on standard error.
extern void (*messagehook)(const char* text);
void getfilename(char* name, const char* prompt);
// The same dialog, but Escape cancels: returns 0 (name left empty) on Escape,
// 1 when Enter was pressed. Used where a prompt would otherwise come back
// until a file opens.
int getfilenameorcancel(char* name, const char* prompt);

// Writes the model state as JSON (the replay tool's "dump"); 1 on success.
int dumpmodel(const char* path);

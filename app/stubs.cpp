// Placeholder bodies so that the program links while this subsystem is built.
#include "app/app.h"
#include <cstdlib>

int seashell_main() { return 0; }
void InitWin() {}
int findwindow() { return 0; }
void redraw(int w) {}
void redraw2(int w) {}
[[noreturn]] void do_exit() { std::exit(0); }
void SeaMenuFunc(int code) {}
void setTInit(int x, int y, int w) {}
void setT(int x, int oldx, int y, int oldy, int w) {}
void messagebox(const char* text) {}
void getfilename(char* name, const char* prompt) {}
int getfilenameorcancel(char* name, const char* prompt) { return 0; }
std::int32_t seawid, seaxorigin, seayorigin, seaxsize, seaysize;
std::int32_t heli_wid, heli_xorigin, heli_yorigin, heli_xsize, heli_ysize;
std::int32_t parawid, paraxorigin, parayorigin, paraxsize, paraysize;
std::int32_t generatewid3, generatexorigin3, generateyorigin3, generatexsize3, generateysize3;
std::int32_t generatewid, generatexorigin, generateyorigin, generatexsize, generateysize;
std::int32_t generatewid2, generatexorigin2, generateyorigin2, generatexsize2, generateysize2;
short mouses[2] = {266, 267};
short mp[2], oldp[2], lastp[2];
short val;
std::int32_t track;
int dragwindow;

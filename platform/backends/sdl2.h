// sdl2.h - the interactive backend: the virtual screen in one SDL2 window.
#pragma once

namespace gl {

// Opens the window and makes SDL2 the core's backend. Returns 0, with SDL's
// reason in error, when no display can be opened.
int sdl2_start(char* error, int errorsize);

}  // namespace gl

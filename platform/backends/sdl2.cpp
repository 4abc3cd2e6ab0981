// sdl2.cpp - the interactive backend: one resizable SDL2 window shows the
// virtual screen, scaled to fit with its aspect kept, and SDL's mouse and
// keyboard events become the core's raw input.
//
// Pointer positions are mapped back to virtual-screen pixels (lower-left
// origin); keys are mapped by scancode, so the keyboard layout does not
// matter: letters and the digit row to the key devices of the file-name
// dialog, the keypad digits to theirs, Backspace 61, Enter (either) 51, the
// shift keys 5 and 6, Escape 7. Closing the window is the window manager's
// quit. Key repeats are dropped: holding a key types one character.
//
// The screen is presented after every swapbuffers (a forced change) and, for
// single-buffered writes, at most about 30 times a second, so a long run of
// rows stays fast; what was held back is shown when the program next waits.
// Input arriving while the program computes is taken in at each present, as
// a workstation's queue fills while the program is busy.
#include "platform/backends/sdl2.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/screen.h"

namespace gl {

namespace {

const Uint32 FRAME_MS = 33;  // held-back presents: about 30 a second

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
int texw = 0, texh = 0;
std::vector<std::uint32_t> pixels;
bool dirty = true;
Uint32 lastpresent = 0;
Device scandevice[SDL_NUM_SCANCODES];

void makekeytable()
{
    char name[4] = {0};
    for (int i = 0; i < 26; i++) {
        name[0] = (char)('a' + i);
        scandevice[SDL_SCANCODE_A + i] = keydevice(name);
    }
    for (int d = 0; d <= 9; d++) {
        name[0] = (char)('0' + d);
        // SDL numbers the digit row and the keypad 1..9, then 0.
        scandevice[d == 0 ? SDL_SCANCODE_0 : SDL_SCANCODE_1 + d - 1] = keydevice(name);
        char kp[4] = {'k', 'p', (char)('0' + d), 0};
        scandevice[d == 0 ? SDL_SCANCODE_KP_0 : SDL_SCANCODE_KP_1 + d - 1] = keydevice(kp);
    }
    scandevice[SDL_SCANCODE_BACKSPACE] = BACKSPACEKEY;
    scandevice[SDL_SCANCODE_RETURN] = ENTERKEY;
    scandevice[SDL_SCANCODE_KP_ENTER] = ENTERKEY;
    scandevice[SDL_SCANCODE_ESCAPE] = ESCKEY;
    scandevice[SDL_SCANCODE_LSHIFT] = LEFTSHIFTKEY;
    scandevice[SDL_SCANCODE_RSHIFT] = RIGHTSHIFTKEY;
}

// The largest rectangle of the screen's aspect centred in w x h.
SDL_Rect fit(int w, int h)
{
    int sw = screen_width(), sh = screen_height();
    SDL_Rect r;
    if ((long long)w * sh > (long long)h * sw) {
        r.h = h;
        r.w = (int)((long long)h * sw / sh);
    } else {
        r.w = w;
        r.h = (int)((long long)w * sh / sw);
    }
    if (r.w < 1) r.w = 1;
    if (r.h < 1) r.h = 1;
    r.x = (w - r.w) / 2;
    r.y = (h - r.h) / 2;
    return r;
}

void present()
{
    int sw = screen_width(), sh = screen_height();
    if (!texture || texw != sw || texh != sh) {
        if (texture) SDL_DestroyTexture(texture);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING,
                                    sw, sh);
        texw = sw;
        texh = sh;
        pixels.assign((std::size_t)sw * sh, 0);
    }
    screen_compose(pixels.data());
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(renderer, &ow, &oh);
    SDL_Rect dst = fit(ow, oh);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    if (texture) {
        SDL_UpdateTexture(texture, nullptr, pixels.data(), sw * 4);
        SDL_RenderCopy(renderer, texture, nullptr, &dst);
    }
    SDL_RenderPresent(renderer);
    lastpresent = SDL_GetTicks();
    dirty = false;
}

// Window coordinates (top-left origin) to virtual-screen pixels.
void topointer(int x, int y)
{
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    SDL_Rect r = fit(ww, wh);
    int sw = screen_width(), sh = screen_height();
    int vx = (int)((long long)(x - r.x) * sw / r.w);
    int vtop = (int)((long long)(y - r.y) * sh / r.h);
    rawpointer(vx, sh - 1 - vtop);  // the core keeps it on the screen
}

// One SDL event to raw input; true when it was input.
bool translate(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_QUIT:
        rawquit();
        return true;
    case SDL_MOUSEMOTION:
        topointer(e.motion.x, e.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        topointer(e.button.x, e.button.y);
        Device dev = e.button.button == SDL_BUTTON_LEFT     ? LEFTMOUSE
                     : e.button.button == SDL_BUTTON_MIDDLE ? MIDDLEMOUSE
                     : e.button.button == SDL_BUTTON_RIGHT  ? RIGHTMOUSE
                                                            : 0;
        if (dev) rawbutton(dev, e.type == SDL_MOUSEBUTTONDOWN);
        return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (e.key.repeat) return false;
        SDL_Scancode sc = e.key.keysym.scancode;
        Device dev = sc >= 0 && sc < SDL_NUM_SCANCODES ? scandevice[sc] : 0;
        if (!dev) return false;
        rawkey(dev, e.type == SDL_KEYDOWN);
        return true;
    }
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
            e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            dirty = true;
        return false;
    default:
        return false;
    }
}

// Takes in every event that has arrived; true when any was input.
bool drain()
{
    bool input = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) input = translate(e) || input;
    return input;
}

void sdl_wait()
{
    for (;;) {
        if (dirty) present();
        SDL_Event e;
        if (!SDL_WaitEvent(&e)) {
            SDL_Delay(10);
            continue;
        }
        bool input = translate(e);
        input = drain() || input;
        if (input) {
            if (dirty) present();
            return;
        }
    }
}

void sdl_poll()
{
    drain();
    if (dirty && SDL_GetTicks() - lastpresent >= FRAME_MS) present();
}

void sdl_changed(bool force)
{
    dirty = true;
    if (!force && SDL_GetTicks() - lastpresent < FRAME_MS) return;
    present();
    drain();
}

void sdl_pause(int ms)
{
    Uint32 end = SDL_GetTicks() + (Uint32)(ms > 0 ? ms : 0);
    for (;;) {
        if (dirty) present();
        Sint32 left = (Sint32)(end - SDL_GetTicks());
        if (left <= 0) return;
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, left)) {
            translate(e);
            drain();
        }
    }
}

const Backend sdl2 = {sdl_wait, sdl_poll, sdl_changed, sdl_pause};

}  // namespace

int sdl2_start(char* error, int errorsize)
{
    // The first click into the window counts (it is usually a menu).
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::snprintf(error, errorsize, "%s", SDL_GetError());
        return 0;
    }
    // Without a display SDL falls back to drivers that show nothing; a
    // window nobody sees would leave the program waiting for ever. They
    // count only when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !std::getenv("SDL_VIDEODRIVER")) {
        std::snprintf(error, errorsize, "no display found, only SDL's %s video driver", driver);
        SDL_Quit();
        return 0;
    }
    // As large as the display allows, never larger than the virtual screen.
    int sw = screen_width(), sh = screen_height();
    int w = sw, h = sh;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        SDL_Rect r = fit(usable.w * 95 / 100, usable.h * 90 / 100);
        if (r.w < w) {
            w = r.w;
            h = r.h;
        }
    }
    window = SDL_CreateWindow("Seashell", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                              SDL_WINDOW_RESIZABLE);
    if (window) renderer = SDL_CreateRenderer(window, -1, 0);
    if (window && !renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!window || !renderer) {
        std::snprintf(error, errorsize, "%s", SDL_GetError());
        if (window) SDL_DestroyWindow(window);
        window = nullptr;
        SDL_Quit();
        return 0;
    }
    std::atexit(SDL_Quit);  // the program ends through exit()
    makekeytable();
    setbackend(&sdl2);
    present();
    return 1;
}

}  // namespace gl

// main.cpp - the interactive modeller: the program on the SDL2 backend.
#include "app/app.h"

int main()
{
    return seashell_main();
}

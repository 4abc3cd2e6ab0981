// dialogs_preview.cpp - the texture preview of the "Define texture" dialogs.
//
// previewtexture runs the model of the current texturetype (50
// activator-substrate, 51 activator-inhibitor, anything else stripe
// formation) on a ring of 600 cells for 800 rows and draws each row as it is
// delivered, bottom up, row r on line r + 1 at x 1..600 of the "Texture
// Preview" window. The window is opened by the first preview of a dialog
// (widpreview is -1 until then), cleared and reused by the next ones, and
// closed by the dialog's "OK".
//
// A left press during the run stops it; the rows drawn so far stay. The
// caller makes sure the press that asked for the preview has been released.
#include "app/model.h"
#include "platform/gl.h"
#include "texture/texture.h"

int widpreview = -1;

void previewtexture()
{
    if (widpreview == -1) {
        gl::prefposition(370, 970, 15, 815);
        widpreview = gl::winopen("Texture Preview");
        // One unit one pixel, pixel centres on whole numbers.
        gl::ortho2(-0.5f, 600.5f, -0.5f, 800.5f);
        gl::RGBmode();
        gl::gconfig();
    } else {
        gl::winset(widpreview);
    }
    gl::cpack(0);
    gl::clear();
    gl::wintitle("Press left mouse button to break");

    const int N = 600, R = 800;
    runcurrentmodel(texturetype, N, R, 0);
    gl::wintitle("Texture Preview");
}

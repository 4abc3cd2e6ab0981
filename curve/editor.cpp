// editor.cpp - the editing flags of the curve views and their popup menu
// "Spline Curve": Modify / View point, Add node (Front, Middle, End), Delete
// node and Clear. The menu itself is built by the event loop from
//   "Spline Curve %t |Modify|View point|Add node %m|Delete node|Clear"
//   "Add %t|Front %x30|Middle %x31|End %x32"
// and its result comes here.
#include "app/app.h"
#include "curve/curve.h"
#include "shell/shell.h"

short mode = 1;
short status = 1;
short InsertType = 32;
short CurrentWindow;

void SplineMenuFunc(int value)
{
    switch (value) {
    case 1:  // Modify
        mode = 1;
        break;
    case 2:  // View point
        mode = 2;
        break;
    case 4:  // Delete node: the views and the shell are redrawn even if none was current
        Remove_node();
        generateredraw(0);
        seashellredraw();
        mode = 1;
        break;
    case 5:  // Clear
        delete_path();
        InsertType = 32;
        redraw(0);
        break;
    case 30:  // Add node: Front, Middle, End
    case 31:
    case 32:
        InsertType = (short)value;
        mode = 1;
        status = 1;
        break;
    default:  // no choice, or the submenu's own entry
        break;
    }
}

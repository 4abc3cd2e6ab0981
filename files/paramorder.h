// paramorder.h - the order in which the shell and texture files store the
// parameters of the three pigmentation models (the same in both files, and
// not the order of the dialogs' bars). Each table points at the model's
// globals, so readers and writers walk one list instead of naming every field.
#pragma once

extern double* const actsubparams[12];  // texture code 50, the t_ parameters
extern double* const actinhparams[13];  // texture code 51, the i_ parameters
extern double* const stripeparams[10];  // texture code 49, the s_ parameters

// The table of a texture code and its length; 0 and a null table for any
// code without parameters.
int modelparams(int code, double* const** table);

// The job driver built as an ordinary function, RasterToTq51mMain, so that a fuzz input or a
// test can run a whole job inside the calling process.
#define main RasterToTq51mMain
#include "../../filter/main.cpp"

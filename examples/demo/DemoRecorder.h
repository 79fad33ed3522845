#pragma once

#include <windows.h>

// The demo's "record" action: writes three seconds of a small animation to
// an AVI file through CTqAVI (the user picks the compressor) and tells the
// user what was written. path null: TqDemo.avi in the temp folder. Returns
// the number of frames written, 0 when the user cancelled or writing failed.
int RecordDemoMovie(HWND owner, const char* path);

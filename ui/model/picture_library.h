#pragma once

namespace varnel {

// Starts the picture library's video subsystem on its dummy driver: the library only
// loads and saves pictures and never opens a window, so that driver serves on every
// display and without one. The program's own handlers for Ctrl-C, SIGTERM and the fatal
// signals stay in place; the library's would only post events nobody reads.
void InitPictureLibrary();

}  // namespace varnel

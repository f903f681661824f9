#pragma once

// Whether the see-through parts of a window show what lies beneath it. They do where a
// compositing manager draws the windows (always on Windows and Wayland); on an X11 screen without
// one they come out black, so an overlay must draw what is beneath it itself.
bool windowsCanBeSeeThrough();

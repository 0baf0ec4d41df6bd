// The six dock-marker pictures: complete 24-bit bitmap files (pixels at offset 54, bottom-up
// rows) whose pure green pixels are transparent. The build makes them from the bitmap files
// in dockmarkers/.
#pragma once

extern const unsigned char g_abDockMarker_top[4014];     // 43 x 30
extern const unsigned char g_abDockMarker_bottom[4014];  // 43 x 30
extern const unsigned char g_abDockMarker_left[4010];    // 30 x 43
extern const unsigned char g_abDockMarker_right[4010];   // 30 x 43
extern const unsigned char g_abDockMarker_centre[20970]; // 83 x 83
extern const unsigned char g_abDockMarker_small[3354];   // 33 x 33

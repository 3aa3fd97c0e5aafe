#pragma once

// The program's icon, 32 x 32 pixels, 16 colours: a blue, white and red
// vertical tricolour in a one-pixel black frame.  The icon file is generated
// from this picture at build time, and the tests compare the built program's
// icon with it.
//   '.' transparent   'K' black (0, 0, 0)   'B' blue (0, 0, 255)
//   'W' white (255, 255, 255)   'R' red (255, 0, 0)
inline constexpr int IconArtSize = 32;
inline constexpr const char* IconArt[IconArtSize] = {
    "................................",  //  0
    "................................",  //  1
    "................................",  //  2
    "................................",  //  3
    "................................",  //  4
    "................................",  //  5
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",  //  6
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  //  7
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  //  8
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  //  9
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 10
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 11
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 12
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 13
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 14
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 15
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 16
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 17
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 18
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 19
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 20
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 21
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 22
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 23
    "KBBBBBBBBBBWWWWWWWWWWRRRRRRRRRRK",  // 24
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",  // 25
    "................................",  // 26
    "................................",  // 27
    "................................",  // 28
    "................................",  // 29
    "................................",  // 30
    "................................",  // 31
};

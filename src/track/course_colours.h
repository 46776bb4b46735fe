// The colours of the course: every triangle of a tile or an object carries one of them,
// the race palette holds each exactly, and the renderer draws some with a texture.
#pragma once

#include <cstdint>

// Labels, in the order the race palette keeps them.
enum CourseColour : uint8_t {
    Grass,         // ground beside the path
    PathColour,    // the riding path
    PostWood,      // fence posts
    Tape,          // fence tape between the posts
    Water,         // the ditch of the jump
    RampWood,      // the jump's kicker
    GatePost,      // posts of the banner gate
    BannerColour,  // banner of the banner gate
    ObjectWood,    // tree trunks, sign posts
    GateRed,       // slalom gates of odd 't' lines
    GateBlue,      // slalom gates of even 't' lines
    ObjectWhite,   // sign boards and gate flags
    CourseColourCount,
};

struct TileRgb {
    int32_t red, green, blue;
};

// How the renderer fills a triangle of the colour: a flat fill, one of the textures, or
// (objects only) the texture of the window slot the object stands in.
enum : int32_t { FlatFill = -1, WindowSlotTexture = -2 };

struct CourseColourEntry {
    const char* label;
    TileRgb rgb;
    int32_t texture;  // texture number 0 to 8, FlatFill or WindowSlotTexture
};

extern const CourseColourEntry CourseColours[CourseColourCount];

inline const TileRgb& courseRgb(CourseColour colour) { return CourseColours[colour].rgb; }

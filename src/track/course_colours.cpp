#include "track/course_colours.h"

const CourseColourEntry CourseColours[CourseColourCount] = {
    {"grass", {4, 156, 0}, 5},
    {"path", {218, 218, 218}, 0},
    {"post wood", {181, 112, 69}, 3},
    {"tape", {223, 0, 0}, FlatFill},
    {"water", {85, 85, 255}, 4},
    {"ramp wood", {140, 73, 22}, 2},
    {"gate post", {128, 80, 47}, FlatFill},
    {"banner", {0, 160, 149}, FlatFill},
    {"object wood", {191, 122, 74}, FlatFill},
    {"gate red", {255, 0, 0}, FlatFill},
    {"gate blue", {0, 0, 255}, FlatFill},
    {"object white", {255, 255, 255}, WindowSlotTexture},
};

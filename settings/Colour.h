#pragma once

// A colour's red, green, blue and alpha, each from 0 to 1.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    bool operator==(const Colour&) const = default;
};

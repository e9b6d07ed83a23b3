#pragma once

#include <cstdint>
#include <string>

// The window settings that start-up needs before the window exists, read
// from a file of whitespace-separated key and value words.
class Config {
public:
    static Config& instance();

    Config();
    virtual ~Config();

    // A full-screen size that is no standard mode becomes the screen's size
    // as GLUT reports it.
    void read(const char* name);
    // The same with the screen's size given, so that no window library is needed.
    void read(const char* name, int32_t screenWidthPixels, int32_t screenHeightPixels);

    int32_t screenWidth = 640;
    int32_t screenHeight = 480;
    int32_t bitsPerPixel = 32;
    int32_t refreshRate = 60;
    int32_t fullScreen = 0;
    std::string windowName;
    std::string dataPath;
};

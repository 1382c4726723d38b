#pragma once
// The show's pictures, carried inside the program as Qt resources under
// ":/pictures/<name>.png".

#include <QImage>
#include <string_view>
#include <vector>

struct PictureSpec {
    const char* name;
    int width;
    int height;
};

// Every picture with its exact size in pixels.
const std::vector<PictureSpec>& AllPictures();

// The picture from the embedded resources; a null QImage if the name is unknown.
QImage LoadPicture(std::string_view name);

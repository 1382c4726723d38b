#include "assets/Pictures.h"

const std::vector<PictureSpec>& AllPictures()
{
    static const std::vector<PictureSpec> list = {
        {"righty0", 193, 105}, {"righty1", 193, 105}, {"righty2", 193, 105},
        {"lefty0", 193, 105},  {"lefty1", 193, 105},  {"lefty2", 193, 105},
        {"stand", 67, 182},
        {"righter0", 123, 124}, {"righter1", 123, 124}, {"righter2", 123, 124},
        {"lefter0", 123, 124},  {"lefter1", 123, 124},  {"lefter2", 123, 124},
        {"heada", 73, 104}, {"headb", 73, 104}, {"headc", 73, 104}, {"headd", 73, 104},
        {"head1", 73, 104}, {"head2", 73, 104}, {"head3", 73, 104}, {"head4", 73, 104},
        {"hand1", 49, 22}, {"hand2", 49, 22}, {"handa", 49, 22}, {"handb", 49, 22},
        {"gun0", 102, 245}, {"gun1", 133, 245}, {"gun2", 159, 245},
        {"gun3", 181, 245}, {"gun4", 197, 245}, {"gun5", 207, 245},
        {"bullet0", 33, 100}, {"bullet1", 37, 39}, {"bullet2", 30, 40}, {"bullet3", 34, 31},
        {"bullet4", 80, 30},  {"bullet5", 113, 34}, {"bullet6", 115, 68}, {"bullet7", 116, 126},
        {"title2", 453, 86},
        {"cloud", 138, 102},
        {"logo", 38, 39},
        {"icon", 32, 32},
        {"bugicon", 48, 48},
        {"bugleft", 75, 75}, {"bugright", 75, 75},
        {"msgicon", 48, 48},
    };
    return list;
}

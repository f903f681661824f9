#include "spillfile.h"

#include <random>

std::string SpillFile::freshName()
{
    static const char digits[] = "0123456789abcdef";
    std::random_device random;
    std::string name = "quorvel-frames-";
    for (int i = 0; i < 16; ++i)
        name += digits[random() % 16];
    return name;
}

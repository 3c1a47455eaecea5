// Caddis's own resources as a Windows resource library image, for programs
// that run on the simulated PC (the simulated loader reads it as the
// program's own module).
#pragma once

#include <cstddef>

extern const unsigned char kCaddisResourceImage[];
extern const std::size_t kCaddisResourceImage_size;

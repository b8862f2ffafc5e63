#pragma once

#include <cstdint>

// Game units, as the game reports locations and velocities.
struct Vector {
  float X = 0.0F;
  float Y = 0.0F;
  float Z = 0.0F;
};

// Whole screen pixels.
struct Vector2 {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// Screen pixels with fractions.
struct Vector2F {
  float X = 0.0F;
  float Y = 0.0F;
};

// Channels on the 0-255 scale.
struct LinearColor {
  float R = 0.0F;
  float G = 0.0F;
  float B = 0.0F;
  float A = 0.0F;
};

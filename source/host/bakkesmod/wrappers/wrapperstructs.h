#pragma once

// Values the host and a plugin pass each other.
#pragma pack(push, 8)

// Game units, as the game reports locations and velocities.
struct Vector {
  Vector() : X(0.0F), Y(0.0F), Z(0.0F) {}
  explicit Vector(float xyz) : X(xyz), Y(xyz), Z(xyz) {}
  Vector(float x, float y, float z) : X(x), Y(y), Z(z) {}

  Vector operator+(const Vector& other) const { return {X + other.X, Y + other.Y, Z + other.Z}; }
  Vector operator-(const Vector& other) const { return {X - other.X, Y - other.Y, Z - other.Z}; }
  Vector operator*(float factor) const { return {X * factor, Y * factor, Z * factor}; }
  Vector operator/(float divisor) const { return {X / divisor, Y / divisor, Z / divisor}; }

  float X;
  float Y;
  float Z;
};

// Whole screen pixels.
struct Vector2 {
  int X;
  int Y;

  Vector2 operator+(const Vector2& other) const { return {X + other.X, Y + other.Y}; }
  Vector2 operator-(const Vector2& other) const { return {X - other.X, Y - other.Y}; }
};

// Screen pixels with fractions.
struct Vector2F {
  float X;
  float Y;

  Vector2F operator+(const Vector2F& other) const { return {X + other.X, Y + other.Y}; }
  Vector2F operator-(const Vector2F& other) const { return {X - other.X, Y - other.Y}; }
};

// Channels on the 0-255 scale. Not a literal type: its constructor is not constexpr.
struct LinearColor {
  LinearColor() = default;
  LinearColor(float r, float g, float b, float a) : R(r), G(g), B(b), A(a) {}

  float R;
  float G;
  float B;
  float A;
};

#pragma pack(pop)

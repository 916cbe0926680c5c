#pragma once
#include <cstdint>

// The numbers of the player's motion, with their units. Velocities count sixtieths of a pixel
// per tick; a tick is 16 ms.
namespace tuning {

constexpr int32_t kSubpixelsPerPixel = 60;
// Added to velocityY every tick.
constexpr int32_t kGravity = 30;
// The friction a landing gives, taken off velocityX every tick while not walking.
constexpr int32_t kGroundFriction = 20;
// Added to velocityY by a jump.
constexpr int32_t kJumpImpulse = -660;
// Horizontal speed limit (6 pixels a tick).
constexpr int32_t kMaxSpeedX = 400;
// Added to velocityX every tick while an arrow is held.
constexpr int32_t kWalkAcceleration = 15;

// The player's collision box in pixels; every level gives it the same one.
constexpr int32_t kPlayerWidth = 34;
constexpr int32_t kPlayerHeight = 46;
// Where the player's frame is drawn from the box's corner, in pixels.
constexpr int kPlayerSpriteOffsetX = -15;
constexpr int kPlayerSpriteOffsetY = -9;

// The player's sheet: columns by rows of equal frames, and the rows and columns of its poses.
constexpr int kSheetColumns = 6;
constexpr int kSheetRows = 3;
constexpr int kStandingRow = 1;
constexpr int kWalkingRow = 2;
constexpr int kAirborneRow = 3;
constexpr int kRisingColumn = 1;
constexpr int kFallingColumn = 2;
// Ticks each frame of a pose is shown.
constexpr int kWalkTicksPerFrame = 4;
constexpr int kPoseTicksPerFrame = 16;

}  // namespace tuning

#pragma once

// The character keys the game answers to, as the window toolkit reports them (in the low
// byte; the toolkit may set bits above it).
namespace keys {
constexpr int enter = 13;
constexpr int escape = 27;
constexpr int space = 32;
constexpr int pause = 'p';
}  // namespace keys

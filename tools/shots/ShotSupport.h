// What every scene program needs to be photographed: the shot command, the
// window's own pixels as a PPM, and a pause that lets the display catch up.
#pragma once

#include <win32.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Runs MIVO_SHOT_COMMAND with `name`; nothing without it.
void Shoot(const char* name);
// Writes 0xRRGGBB pixels as `name` in MIVO_SHOT_FOLDER; nothing without it.
void WritePpm(const char* name, const std::vector<uint32_t>& pixels, int width, int height);
// What the window itself drew, from its surface, beside the screen shots.
void SaveSurface(HWND hwnd, const char* name);
// The frame and every open popup menu from their own surfaces, placed as on
// screen, as `name`-surfaces.ppm (the popups' native windows may lag behind).
void SaveComposite(HWND frame, const std::string& name);
// Runs messages for about a second, through `dialog`'s keyboard handling when given.
void Settle(HWND dialog = nullptr);
// Runs `step` once after `ms`, from inside whatever loop (a modal one included) runs by then.
void RunLater(int ms, std::function<void()> step);

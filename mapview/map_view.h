// The map view: the picture of the party's level from either map set, the zoom slider, the party
// arrow and the map cell of a right-click, all on the Map window's image control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The town picture's path with "<fit>", set once at start-up; level 0 shows it.
extern std::string townPath;

// The level whose picture was loaded last; 0 (the town) at start, which the image control shows
// from its creation.
extern int32_t lastShownLevel;

// The picture of `level`: the town path for 0, else below the current directory as it is now, from
// the alternate set when `alternate` is 1.
std::string BuildMapPath(int32_t level, int alternate);

// Loads the picture with the view (zoom and scroll) of the picture before, unless the party is in
// the town; sets the zoom slider's range. Nothing happens for an empty path.
void LoadMapPicture(HWND window, const std::string& path);

// The picture of the party's level from the set `alternate`, then the markers of that level.
void ShowMapOfLevel(HWND window, int alternate);

// The alternate-set checkbox was clicked: the same level from the set the box now names.
void ReloadMapForCheckbox(HWND window);

// The slider's position / 1000 becomes the zoom, keeping the view's centre steady.
void ApplySliderZoom(HWND window);

// The arrow on the party's cell, turned to its facing; parked in the town.
void PlaceArrow();

// A right-click forwarded by the image control: its map cell becomes the click cell and the
// Annotation dialog opens for it. Clicks that do not come from the image control are ignored.
void CellFromClick(HWND window, LPARAM lParam);

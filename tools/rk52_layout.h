// Where the dryer's controls sit on its device picture "rk52.bmp" (client pixels, right and
// bottom exclusive), with what the area file "rk52.opd" says about them. The picture generator
// draws the controls here and the area file generator places its button and LED areas on exactly
// these rectangles, so both read this one table and cannot drift apart.
#ifndef SICCORA_TOOLS_RK52_LAYOUT_H
#define SICCORA_TOOLS_RK52_LAYOUT_H

namespace rk52 {

struct Rect {
  int left, top, right, bottom;
};

// The picture's size: the panel window takes it over, and 780 x 386 plus the two icon-height
// bands below keeps the window at its creation height of 450.
constexpr int kWidth = 780;
constexpr int kHeight = 386;

// The fixed layout's LCD rectangle; the picture's LCD window lies under it, and the area file
// stores it as the saved LCD rectangle.
constexpr Rect kLcd = {275, 115, 499, 157};

// The data set's file names (relative: the panel resolves them in its working directory) and the
// LCD type of the dryer's display in the LCD types file "rk52.lcd".
constexpr const char* kBitmapFile = "rk52.bmp";
constexpr const char* kAreaFile = "rk52.opd";
constexpr const char* kLcdTypeName = "LCD 16x2";

struct Button {
  int id;               // key bit the panel sends in its key frames
  const char* name;     // area name, also the key of its context help
  const char* label;    // text printed under the button
  Rect rect;
  const char* tooltip;  // status line text while the mouse is over the button
};

// Five buttons in one row, ids = controller key bits (key k has id 1 << k).
constexpr int kButtonCount = 5;
constexpr Button kButtons[kButtonCount] = {
    {1, "Off", "OFF", {82, 246, 178, 292},
     "Off: stops the program and switches everything off; leaves a menu"},
    {2, "Clothes washing", "WASHING", {212, 246, 308, 292},
     "Clothes washing program (again within 5 s: start later); minus in menus"},
    {4, "Filter reset", "FILTER", {342, 246, 438, 292},
     "Filter reset: hold 5 s after cleaning; opens the menus; next item in menus"},
    {8, "Heater", "HEATER", {472, 246, 568, 292},
     "Heater: off, manual, automatic; store in menus"},
    {16, "Room", "ROOM", {602, 246, 698, 292},
     "Room drying program (again within 5 s: start later); plus in menus"},
};

struct Led {
  int id;                       // bit of the controller's LED byte
  const char* name;             // area name, also the key of its context help
  const char* label;            // small text printed right of the LED, may be empty
  Rect rect;                    // the panel fills the ellipse inscribed in it
  const char* tooltip;          // status line text while the mouse is over the LED
  const char* active_colour;    // ColourTable name of the lit LED
  const char* inactive_colour;  // ColourTable name of the dark LED
};

// Six LEDs above the buttons they belong to; ids form the unbroken run 1..32.
constexpr int kLedCount = 6;
constexpr Led kLeds[kLedCount] = {
    {1, "Room program", "", {643, 219, 657, 233},
     "Room program: blinks while chosen, steady while it runs or waits", "Green", "Gray"},
    {2, "Washing program", "", {253, 219, 267, 233},
     "Washing program: blinks while chosen, steady while it runs or waits", "Green", "Gray"},
    {4, "Ready", "READY", {100, 219, 114, 233},
     "Ready: the dryer is switched on and ready", "Green", "Gray"},
    {8, "Heater manual", "MAN", {470, 219, 484, 233},
     "Heater manual: heats whenever the ventilator runs", "Yellow", "Gray"},
    {16, "Heater automatic", "AUT", {530, 219, 544, 233},
     "Heater automatic: heats while the ventilator runs below 18 degrees C", "Yellow", "Gray"},
    {32, "Filter alarm", "", {383, 219, 397, 233},
     "Filter alarm: clean the filter, then hold Filter reset for 5 s", "Red", "Gray"},
};

// Checked at compile time, so an edited layout cannot break what the panel relies on.
constexpr bool Inside(const Rect& r) {
  return 0 <= r.left && r.left < r.right && r.right <= kWidth && 0 <= r.top && r.top < r.bottom &&
         r.bottom <= kHeight;
}
constexpr bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
constexpr bool ButtonsValid() {
  for (int i = 0; i < kButtonCount; ++i) {
    if (kButtons[i].id != 1 << i || !Inside(kButtons[i].rect) || Overlap(kButtons[i].rect, kLcd))
      return false;
    for (int j = i + 1; j < kButtonCount; ++j)
      if (Overlap(kButtons[i].rect, kButtons[j].rect)) return false;
  }
  return true;
}
constexpr bool LedsValid() {
  int ids = 0;
  for (int i = 0; i < kLedCount; ++i) {
    ids |= kLeds[i].id;
    if (!Inside(kLeds[i].rect) || Overlap(kLeds[i].rect, kLcd)) return false;
    for (int b = 0; b < kButtonCount; ++b)
      if (Overlap(kLeds[i].rect, kButtons[b].rect)) return false;
    for (int j = i + 1; j < kLedCount; ++j)
      if (kLeds[i].id == kLeds[j].id || Overlap(kLeds[i].rect, kLeds[j].rect)) return false;
  }
  return ids == (1 << kLedCount) - 1;  // the unbroken run 1, 2, 4, ... the panel draws
}
static_assert(Inside(kLcd), "the LCD window lies on the picture");
static_assert(ButtonsValid(), "button k has id 1 << k and its own place on the picture");
static_assert(LedsValid(), "LED ids 1..32 once each, each LED on its own place");

} // namespace rk52

#endif

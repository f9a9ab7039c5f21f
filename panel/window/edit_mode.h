// Designer mode without its window: the edit state (drag, pending shape, LCD placement), the rules
// of the right mouse button, the new area made from a pending shape, and where a placed LCD type
// lands. The Win32 side (edit_mode_win32.cpp) draws the outlines, owns capture and cursors, and
// runs the property dialogs these rules choose. Runs on the UI thread.
#pragma once

#include <cstdint>

#include "panel/core/data_lists.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/area_properties.h"

namespace panel {

// The LCD type chosen last from the LCD menu, copied out of the LCD list (a later read of the
// LCD types file replaces that list).
struct ChosenLcdType {
  bool chosen;
  uint8_t rows;
  uint8_t columns;
  uint8_t font_x;
  float width;   // outer size in millimetres
  float height;
};

struct EditState {
  bool dragging;            // a shape is being dragged with the left button
  bool shape_pending;       // a shape was drawn and waits to become an area
  bool lcd_placement;       // an LCD type was chosen and waits to be placed
  tagLISTPOINT drag_start;  // the press point of the drag
  tagLISTPOINT drag_end;    // the mouse position while dragging
  tagAREARECT pending_shape;  // drag start to release point, as dragged (not normalised)
  ChosenLcdType lcd_type;
  bool placement_point_known;   // the mouse moved since the LCD type was chosen
  tagLISTPOINT placement_point;  // upper left corner of the placement outline
};

EditState& GetEditState();
void ResetEditState();

// The rectangle between two corners with left <= right and top <= bottom: what a drag covers on
// the screen, whichever way it went.
tagAREARECT NormalisedRect(tagLISTPOINT a, tagLISTPOINT b);
// A point lies inside when left <= x < right and top <= y < bottom; a shape dragged up or to the
// left contains no point.
bool ShapeContains(const tagAREARECT& shape, tagLISTPOINT point);

// A drawing mode that draws an area: 32860 (button rectangle) or 32861 (LED ellipse).
bool IsDrawingTool(uint32_t drawing_mode);

// What a right click does.
struct RightClickPlan {
  bool open;                 // false: nothing happens
  PropertyDialogKind dialog;
  tagRECTPROP* area;         // the existing area to edit; null for a new area from the shape
};

// The right-button rules at point q. With a shape pending: the area of the drawing mode's kind at
// q, else (mode 32860 or 32861 only) a new area when q lies inside the pending shape. Without one:
// the LED area at q, else the button area, else any area containing q (LCD dialog).
RightClickPlan PlanRightClick(const EditState& state, uint32_t drawing_mode, tagRLISTHEAD* areas,
                              tagLISTPOINT q);

// The new area of a pending shape: "Button" (32860) or "Led" (32861), tooltip "-", id 0, kind =
// the drawing mode, rectangle = the shape, every colour -1. Its texts come from the platform's
// allocator and are the caller's to release (ReleaseAreaTexts). False when memory runs out.
bool MakeAreaFromShape(const tagAREARECT& shape, uint32_t drawing_mode, tagRECTPROP* area);
void ReleaseAreaTexts(tagRECTPROP* area);

// OK on a new area: a copy joins the area list, the temporary texts are released and the shape
// is no longer pending. False (shape still pending) when the copy cannot be made.
bool AddNewArea(tagRECTPROP* area);

// ---- Placing an LCD type ------------------------------------------------------------------------

// The LCD glass is 2.5 mm narrower and 3.7 mm lower than the type's outer size.
constexpr double kLcdGlassMarginWidthMm = 2.5;
constexpr double kLcdGlassMarginHeightMm = 3.7;
// Placed LCD rectangle: the glass in device pixels less these.
constexpr int32_t kPlacedLcdTrimRight = 22;
constexpr int32_t kPlacedLcdTrimBottom = 16;

// The glass size in 0.01 mm (MM_HIMETRIC units), each truncated to an integer; a size that is not
// a number or lies beyond +-10 m counts 0.
struct HimetricSize {
  int32_t horizontal;
  int32_t vertical;
};
HimetricSize LcdGlassHimetric(float width_mm, float height_mm);

// Where the LCD goes when placed at (x, y) with the glass converted to device pixels (the vertical
// count may come negative from an upward y axis; its amount counts). Only when x > 0 and y > 0 and
// the placed rectangle is neither empty nor upside down nor beyond 32 bits; false (rectangle
// unchanged) otherwise.
bool PlaceLcdRect(int32_t x, int32_t y, int32_t horizontal_px, int32_t vertical_px,
                  LcdRect* lcd);

// The outline shown while an LCD waits to be placed: what a click at the latest mouse point will
// place, that is the chosen type's glass (in device pixels, as for PlaceLcdRect), or the LCD's
// kept size when no type is chosen. False when there is nothing to show: no mouse point yet, or a
// click there would not move the LCD.
bool PlacementOutline(const EditState& edit, int32_t horizontal_px, int32_t vertical_px,
                      tagAREARECT* outline);

// Applies the chosen type: glyph width, rows and characters per row take effect; with a position
// (see PlaceLcdRect) the LCD rectangle moves there and the kept LCD width and height follow it;
// the rectangle becomes the saved LCD rectangle and the row rectangles are recomputed.
void ApplyChosenLcdType(const ChosenLcdType& type, int32_t x, int32_t y, int32_t horizontal_px,
                        int32_t vertical_px);

// Chooses the LCD type with that menu id: remembered as the current type, its name stored as the
// saved LCD type name, and applied without a position. False when the list has no such type.
bool ChooseLcdType(tagLCDLISTHEAD* lcd_list, uint32_t menu_id);

}  // namespace panel

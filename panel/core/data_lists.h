// The panel library's shared lists: the data lists (TX and RX message queues and the file readers'
// line lists), the panel list, the area list (button, LED and LCD areas of the panel bitmap) and
// the LCD list (LCD types). All four families are doubly linked lists that own their records;
// appending, removing and searching take the family's lock, because several threads use them.
//
// The library exports these operations by name, so they have C linkage; so do the searches, each
// under a name that says what it searches. The library's own code uses the searches as C++
// overloads (namespace panel, at the end).
//
// Diagnostics: the data lists write their lines to the platform's list report (standard output
// on Win32; other threads change them, and the monitors belong to the UI thread); the other
// families write to the TX monitor. Memory comes from the platform's allocator (panel_platform.h).
#pragma once

#include <cstddef>
#include <cstdint>

// Area kinds: the command number of the drawing mode that made the area.
constexpr uint32_t kRectKindButton = 32860;  // rectangle
constexpr uint32_t kRectKindLed = 32861;     // ellipse
constexpr uint32_t kRectKindLcd = 32863;

// A point in client pixels of the panel window. Same layout as Windows' POINT; not named tagPOINT
// because Windows' own headers define that name, and Win32 files include both.
struct tagLISTPOINT {
  int32_t x;
  int32_t y;
};

// A rectangle in client pixels; it contains a point when left <= x < right and top <= y < bottom.
struct tagAREARECT {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// ---- Data lists ---------------------------------------------------------------------------------

// One queued message or text line.
struct tagDATA {
  unsigned char* bytes;  // owned, length + 1 bytes: the data and one NUL that is not counted
  int32_t length;        // number of data bytes
  int32_t number;        // set by ListAppend: 0 in an empty list, else the last record's number + 1
};

struct tagNODE {
  tagDATA* record;
  tagNODE* next;
  tagNODE* previous;
};

struct tagLISTHEAD {
  int32_t count;  // number of nodes
  tagNODE* first;
  tagNODE* last;
};

// ---- Panel list ---------------------------------------------------------------------------------

// One panel element; the library itself gives these fields no meaning (they exist for applications
// that use the exports).
struct tagPANELPROP {
  char* text;                  // owned
  int32_t first_values[6];
  char* second_text;           // owned
  int32_t second_values[5];
};

struct tagPANELNODE {
  tagPANELPROP* record;
  tagPANELNODE* next;
  tagPANELNODE* previous;
};

struct tagPLISTHEAD {
  int32_t count;
  tagPANELNODE* first;
  tagPANELNODE* last;
};

// ---- Area list ----------------------------------------------------------------------------------

// One area of the panel bitmap: a button, an LED or an LCD.
struct tagRECTPROP {
  char* name;              // owned or null; key of the area's context help ("Button", "Led" when new)
  char* tooltip;           // owned or null; status line text while the mouse is over the area
  int32_t id;              // one bit: the button's bit in the key frame, the LED's bit in "@L"
  uint32_t kind;           // kRectKindButton, kRectKindLed or kRectKindLcd
  tagAREARECT rect;        // client pixels of the panel window
  int32_t color;           // current colour index (an LED's is set by "@L" to one of the next two)
  int32_t active_color;    // colour index of a lit LED
  int32_t inactive_color;  // colour index of a dark LED
};

struct tagRECTNODE {
  tagRECTPROP* record;
  tagRECTNODE* next;
  tagRECTNODE* previous;
};

struct tagRLISTHEAD {
  int32_t count;
  tagRECTNODE* first;
  tagRECTNODE* last;
};

// ---- LCD list -----------------------------------------------------------------------------------

// One LCD type from the LCD types file (the file's key in brackets).
struct tagLCDPROP {
  char* name;       // owned or null ("Name="): the LCD menu entry
  char* type;       // owned or null ("Type="), stored only
  char* tooltip;    // owned or null ("Tolltip="): status text while the menu entry is highlighted
  char* backlight;  // owned or null ("BlColor="), stored only
  char* font;       // owned or null ("Font="), stored only
  uint8_t columns;  // "Charakter=": characters per row
  uint8_t rows;     // "Lines=": display rows
  uint8_t font_x;   // "fontX=": dot columns of a glyph
  uint8_t font_y;   // "fontY=": dot rows of a glyph
  float width;      // "w="
  float height;     // "h="
  float char_x;     // "charX=", stored only
  float char_y;     // "charY=", stored only
  tagAREARECT rect; // searched by FindLcd by point; the types reader leaves it empty
  int32_t menu_id;  // command number of the type's LCD menu entry (32891, 32892, ...)
};

struct tagLCDNODE {
  tagLCDPROP* record;
  tagLCDNODE* next;
  tagLCDNODE* previous;
  int32_t number;  // the list's count when the node was appended: 0, 1, 2, ...
};

struct tagLCDLISTHEAD {
  int32_t count;
  tagLCDNODE* first;
  tagLCDNODE* last;
};

extern "C" {

// Data lists, under the data list lock (one for all data lists). A record handed to ListAppend
// belongs to the list; RemoveEntry and DelList free it with its bytes.
void ListInitCriticalSection(void);
tagLISTHEAD* ListCreate(void);
// The first call sets the TX list, the second the RX list; later calls change nothing. A list
// deleted with DelList is no longer the library's, so the next call may set that slot again.
void SetListHead(tagLISTHEAD* head);
tagLISTHEAD* GetTXListHead(void);
tagLISTHEAD* GetRXListHead(void);
tagDATA* CreateNewEntry(const unsigned char* bytes, int32_t length);
int ListAppend(tagLISTHEAD* head, tagDATA* record);
// The first node, used without the lock afterwards: each queue has one consumer and producers
// only append. The lock is held just for reading the first-node field.
tagNODE* GetHead(tagLISTHEAD* head);
int RemoveEntry(tagLISTHEAD* head, tagDATA* record);
void DelList(tagLISTHEAD* head);

// Panel list, under the panel list lock.
void InitCriticalSection(void);
tagPLISTHEAD* CreatePanelList(void);
void SetPanelList(tagPLISTHEAD* head);
tagPLISTHEAD* GetPanelList(void);
tagPANELPROP* CreatePanelEntry(const tagPANELPROP* source);  // both texts must be present
int AppendPanel(tagPLISTHEAD* head, tagPANELPROP* record);
tagPANELNODE* GetPanelHead(tagPLISTHEAD* head);
tagPANELNODE* GetNextPanelEntry(tagPANELNODE* node);
int RemovePanel(tagPLISTHEAD* head, tagPANELPROP* record);
void DelPanelList(tagPLISTHEAD* head);

// Area list, under the area list lock.
void InitCriticalRectSection(void);
tagRLISTHEAD* CreateRectList(void);
void SetRectList(tagRLISTHEAD* head);
tagRLISTHEAD* GetRectList(void);
tagRECTPROP* CreateRectEntry(const tagRECTPROP* source);
int AppendRect(tagRLISTHEAD* head, tagRECTPROP* record);
tagRECTNODE* GetRectHead(tagRLISTHEAD* head);
tagRECTNODE* GetNextRectEntry(tagRECTNODE* node);
int RemoveRect(tagRLISTHEAD* head, tagRECTPROP* record);  // the first node with it only
void DelRectList(tagRLISTHEAD* head);  // deleting the library's area list also forgets it

// LCD list, under the area list lock (its own lock is initialised but taken by none of these).
void InitCriticalLcdSection(void);
tagLCDLISTHEAD* CreateLcdList(void);
tagLCDPROP* CreateLcdEntry(const tagLCDPROP* source);
int AppendLcd(tagLCDLISTHEAD* head, tagLCDPROP* record);
tagLCDNODE* GetLcdHead(tagLCDLISTHEAD* head);
tagLCDNODE* GetNextLcdEntry(tagLCDNODE* node);
int RemoveLcd(tagLCDLISTHEAD* head, tagLCDPROP* record);
void DelLcdList(tagLCDLISTHEAD* head);

// Searches under the area list lock; the first match in list order wins; none gives null. The
// record is returned after the lock is released. A rectangle contains a point when
// left <= x < right and top <= y < bottom.
tagRECTPROP* FindRect(tagRLISTHEAD* list, tagLISTPOINT point);       // button area at the point
tagRECTPROP* FindRectById(tagRLISTHEAD* list, int32_t id);           // button area with that id
tagRECTPROP* FindEllipse(tagRLISTHEAD* list, tagLISTPOINT point);    // LED area (bounding rect)
tagRECTPROP* FindEllipseById(tagRLISTHEAD* list, int32_t id);        // LED area with that id
tagRECTPROP* FindLcd(tagRLISTHEAD* list, tagLISTPOINT point);        // area of any kind
tagLCDPROP* FindLcdTypeAt(tagLCDLISTHEAD* list, tagLISTPOINT point); // LCD type at the point
tagLCDPROP* FindLcdByName(tagLCDLISTHEAD* list, const char* name);   // exact, case-sensitive
tagLCDPROP* FindLcdByNumber(tagLCDLISTHEAD* list, int32_t number);   // node numbered `number`

// For a thread other than the UI thread (the application's session recorder): the name of the
// button area (CopyRectNameById) or LED area (CopyEllipseNameById) with that id, copied while the area list lock is held, so a name that the UI thread
// replaces meanwhile cannot go away under the copy. Cut to `size` - 1 characters and always
// ended with a zero byte; 1 when such an area with a name exists, else 0 (buffer emptied).
int CopyRectNameById(tagRLISTHEAD* list, int32_t id, char* buffer, int32_t size);
int CopyEllipseNameById(tagRLISTHEAD* list, int32_t id, char* buffer, int32_t size);

}  // extern "C"

namespace panel {

// The searches as overloads by what they look for: the point forms over the area list are the
// exported ones, the others forward to their named exports.
using ::FindEllipse;
using ::FindLcd;
using ::FindRect;
inline tagRECTPROP* FindRect(tagRLISTHEAD* list, int32_t id) { return FindRectById(list, id); }
inline tagRECTPROP* FindEllipse(tagRLISTHEAD* list, int32_t id) { return FindEllipseById(list, id); }
inline tagLCDPROP* FindLcd(tagLCDLISTHEAD* list, tagLISTPOINT point) {
  return FindLcdTypeAt(list, point);
}
inline tagLCDPROP* FindLcd(tagLCDLISTHEAD* list, const char* name) {
  return FindLcdByName(list, name);
}
inline tagLCDPROP* FindLcd(tagLCDLISTHEAD* list, int32_t number) {
  return FindLcdByNumber(list, number);
}

// Replaces an area's text (name or tooltip) by `text` (memory from the lists' allocator, or null)
// while the area list lock is held, and frees the old one: CopyRectNameById on another thread
// sees either text whole.
void SwapAreaText(char** field, char* text);

// LED ids are consecutive bits from 1 up to kLastLedId; the first id without an LED area ends the
// run, so at most kLedRunMax LEDs take part in "@L" and in painting.
constexpr int32_t kLastLedId = 128;
constexpr int kLedRunMax = 8;
// Fills `leds` with the LED areas of ids 1, 2, 4, ... in that order, up to the first id that has
// none, and returns how many it found (0 for a null list).
int FindLedRun(tagRLISTHEAD* list, tagRECTPROP* (&leds)[kLedRunMax]);

// Switches the LED run of the area list to the bits of an "@L" byte (bit set: active colour,
// clear: inactive colour) and remembers the byte. An application may send its LEDs before the
// panel has read its area file; ReapplyLedBits gives the areas read later the remembered state,
// so an LED lit at start-up is not lost. ForgetLedBits clears the memory (library reset).
void ApplyLedBits(uint8_t bits);
void ReapplyLedBits();
void ForgetLedBits();
// The byte of the last "@L" frame: false, and `bits` untouched, when none came since the reset.
bool RememberedLedBits(uint8_t* bits);

// The list's count read under the data list lock: a queue's consumer asks this while producers
// on other threads append.
int32_t QueuedCount(tagLISTHEAD* head);

// Appends a copy of `length` bytes to a data list (the TX or RX queue). Returns 1 when queued, 0
// for a null list, a negative length, null bytes with a length, or no memory (the list reports
// that itself); nothing is left allocated then.
int QueueDataMessage(tagLISTHEAD* head, const uint8_t* bytes, int32_t length);

}  // namespace panel

// The context-help file: a help text for each area, by section ("[Taste]" buttons, "[Led]" LEDs,
// "[Lcd]" LCD areas) and area name:
//
//   [KontextHilfe 1.0]
//   [Taste]
//   Name=Off
//   Text=first line of the text
//   further lines
//   <empty line>
//
// The file is read once into entries (section lines, "Name=" lines and whole texts) that are
// kept until the library is detached.
#pragma once

#include <cstddef>
#include <cstdint>

namespace panel {

constexpr char kContextHelpHeader[] = "[KontextHilfe 1.0]";
constexpr size_t kContextHelpEntryMaxChars = 32767;  // longer entries are cut to this

// Splits the file's bytes into entries and keeps them; 1 when they are kept, 0 when the file is
// not a context-help file (nothing kept then). Entries already kept are kept: returns 1 at once.
int ReadContextHelpBytes(const char* data, size_t size);
// Reads the named file as above once; 0 when it cannot be opened or is rejected.
int ReadContextHelpFile(const char* path);

// The help text for an area of `kind` named `name`: after the first entry from the kind's section
// on that contains the name, the next entry's text after "Text=" (inner line breaks included).
// Null when there is none. Points into the kept entries.
const char* FindContextHelp(uint32_t kind, const char* name);

// Forgets the kept entries (library detach); the next read reads the file again.
void DeleteContextHelp();

}  // namespace panel

#include "panel/window/panel_files.h"

#include <cstring>

#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/window/area_file.h"
#include "panel/window/context_help_file.h"
#include "panel/window/lcd_types_file.h"

namespace panel {

namespace {

enum class PanelFileKind { kBitmap, kAreaFile, kLcdTypes, kOther };

// The first of the extensions found anywhere in the name decides; upper case is not recognised.
PanelFileKind KindOfName(const char* name, bool lcd_types_allowed) {
  if (std::strstr(name, kBitmapExtension) != nullptr) return PanelFileKind::kBitmap;
  if (std::strstr(name, kAreaFileExtension) != nullptr) return PanelFileKind::kAreaFile;
  if (lcd_types_allowed && std::strstr(name, kLcdTypesExtension) != nullptr) {
    return PanelFileKind::kLcdTypes;
  }
  return PanelFileKind::kOther;
}

// Stores `name` in the path field and saves the settings when it differs from what is there.
void RememberPath(char* field, const char* name) {
  if (std::strncmp(field, name, kSettingsPathChars) == 0) return;
  StoreSettingsText(field, kSettingsPathChars, name);
  PlatformSaveSettings();
}

}  // namespace

int OpenPanelFile(const char* name, PanelSettings* settings) {
  if (name == nullptr) return kOpenedNothing;
  switch (KindOfName(name, (GetOptions() & kOptionLcdList) != 0)) {
    case PanelFileKind::kBitmap:
      RememberPath(settings->FileBmp, name);
      return kOpenedPanel;
    case PanelFileKind::kAreaFile:
      RememberPath(settings->FileCfg, name);
      ReadAreaFile(name, settings);
      ReapplyLedBits();
      return kOpenedPanel;
    case PanelFileKind::kLcdTypes:
      RememberPath(settings->FileLcd, name);
      ReadLcdTypesFile(name);
      return kOpenedLcdTypes;
    case PanelFileKind::kOther:
      break;
  }
  return kOpenedNothing;
}

int SavePanelFile(const char* name, PanelSettings* settings) {
  if (name == nullptr) return 0;
  switch (KindOfName(name, false)) {
    case PanelFileKind::kBitmap:
      RememberPath(settings->FileBmp, name);
      return 1;
    case PanelFileKind::kAreaFile:
      RememberPath(settings->FileCfg, name);
      return WriteAreaFile(name, *settings);
    default:
      break;
  }
  return 0;
}

void ReleasePanelFiles() {
  DeleteContextHelp();
  DeleteLcdTypes();
}

}  // namespace panel

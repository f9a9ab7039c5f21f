#include "registry_sandbox.h"

#include <cstdio>

#include "panel/link/settings_registry_win32.h"
#include "process_windows.h"

namespace {

constexpr char kScratchParent[] = "Software\\Siccora tests";

HKEY CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

struct BoxContents {
  std::string text;
  HICON icon;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM lparam) {
  BoxContents* contents = reinterpret_cast<BoxContents*>(lparam);
  char class_name[16] = {};
  GetClassNameA(child, class_name, sizeof(class_name));
  if (lstrcmpiA(class_name, "Static") != 0) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    contents->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return TRUE;
  }
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof(text));
  if (lstrlenA(text) > static_cast<int>(contents->text.size())) contents->text = text;
  return TRUE;
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
  char name[64];
  std::snprintf(name, sizeof(name), "%s\\%lu", kScratchParent, GetCurrentProcessId());
  scratch_ = name;
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());  // left over by a crashed case
  user_ = CreateKey(HKEY_CURRENT_USER, scratch_ + "\\user");
  machine_ = CreateKey(HKEY_CURRENT_USER, scratch_ + "\\machine");
  ok_ = user_ && machine_ && RegOverridePredefKey(HKEY_CURRENT_USER, user_) == ERROR_SUCCESS &&
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_) == ERROR_SUCCESS;
}

RegistrySandbox::~RegistrySandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  if (user_) RegCloseKey(user_);
  if (machine_) RegCloseKey(machine_);
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // only when no other case still uses it
}

bool WriteSettingsKey(HKEY root, const SettingsValues& values) {
  HKEY key = CreateKey(root, panel::kSettingsKeyPath);
  if (!key) return false;
  bool written = true;
  for (const auto& value : values) {
    written &= RegSetValueExA(key, value.first.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.second.c_str()),
                              static_cast<DWORD>(value.second.size() + 1)) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return written;
}

bool SettingsKeyExists(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, panel::kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

std::vector<StoredValue> StoredSettingsValues() {
  std::vector<StoredValue> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, panel::kSettingsKeyPath, 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return values;
  }
  for (DWORD index = 0;; ++index) {
    char name[256] = {};
    DWORD name_chars = sizeof(name);
    char data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (RegEnumValueA(key, index, name, &name_chars, nullptr, &type,
                      reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
      break;
    }
    // The size as stored: the wide form, which no conversion pads with a NUL.
    wchar_t wide_name[256] = {};
    MultiByteToWideChar(CP_ACP, 0, name, -1, wide_name, 256);
    DWORD stored = 0;
    RegQueryValueExW(key, wide_name, nullptr, nullptr, nullptr, &stored);
    values.push_back({name, std::string(data, strnlen(data, size)), type,
                      static_cast<DWORD>(stored / sizeof(wchar_t))});
  }
  RegCloseKey(key);
  return values;
}

SettingsValues InstalledSettings(const std::string& wrkdir) {
  return {{"RegistrySet", "0"}, {"IFaceType", "0"},  {"CommPort", "1"},
          {"Baud", "4800"},     {"Flow", "0"},       {"DBits", "8"},
          {"SBits", "1"},       {"Parity", "0"},     {"Ip", ""},
          {"Socket Port", "0"}, {"FileBmp", "rk52.bmp"}, {"FileCfg", "rk52.opd"},
          {"FileLcd", "rk52.lcd"}, {"HelpFile", "rk52.htm"}, {"ContextHelpFile", "rk52.ctx"},
          {"WrkDir", wrkdir}};
}

MessageBoxCatcher::MessageBoxCatcher(const char* caption)
    : caption_(caption), thread_([this] { Watch(); }) {}

MessageBoxCatcher::~MessageBoxCatcher() {
  stop_ = true;
  thread_.join();
}

std::string MessageBoxCatcher::text() const {
  std::lock_guard<std::mutex> hold(text_lock_);
  return text_;
}

void MessageBoxCatcher::Watch() {
  while (!stop_) {
    const HWND found = FindWindowOf(GetCurrentProcessId(), "#32770", caption_.c_str(), true);
    if (found) {
      BoxContents contents{"", nullptr};
      EnumChildWindows(found, ReadBoxChild, reinterpret_cast<LPARAM>(&contents));
      {
        std::lock_guard<std::mutex> hold(text_lock_);
        text_ = contents.text;
      }
      information_icon_ =
          contents.icon != nullptr && contents.icon == LoadIconA(nullptr, IDI_INFORMATION);
      owner_ = GetWindow(found, GW_OWNER);
      // Counted before it is closed, so the box's caller finds it counted when it goes on.
      ++count_;
      PostMessageA(found, WM_COMMAND, IDOK, 0);
      for (int i = 0; i < 500 && IsWindow(found); ++i) Sleep(10);
    }
    Sleep(10);
  }
}

std::string DataSetFolder() {
  std::string folder = "Z:" SICCORA_DATASET_DIR;
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  return folder;
}

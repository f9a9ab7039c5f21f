// Test side of the settings key: registry roots of this process's own, so a case can hold the
// key as it needs (or not at all) without touching the shared Wine prefix, and a catcher for the
// message boxes that the panel library shows without waiting for anyone.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process become two empty scratch keys under
// the real current user; the destructor gives the roots back and deletes the scratch keys.
// Create it before the panel library is loaded: the panel window reads its key at creation.
class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
  std::string scratch_;  // below the real current user
  HKEY user_ = nullptr;
  HKEY machine_ = nullptr;
};

using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// The settings key with these REG_SZ values under `root` (created, as an installer does).
bool WriteSettingsKey(HKEY root, const SettingsValues& values);
// Whether `root` holds the settings key.
bool SettingsKeyExists(HKEY root);
// The values of the settings key under the current user (in the registry's enumeration order,
// which Wine sorts by name): name, data, type and stored length in characters.
struct StoredValue {
  std::string name;
  std::string data;
  DWORD type;
  DWORD length;
};
std::vector<StoredValue> StoredSettingsValues();

// The installation's values with the given WrkDir (file names rk52.bmp, rk52.opd, ...).
SettingsValues InstalledSettings(const std::string& wrkdir);

// Watches, on a thread of its own, for message boxes of this process with `caption`, notes
// what each shows and closes it with OK.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(const char* caption);
  ~MessageBoxCatcher();
  int count() const { return count_; }
  // Of the last box caught.
  std::string text() const;
  bool information_icon() const { return information_icon_; }
  HWND owner() const { return owner_; }

 private:
  void Watch();
  std::string caption_;
  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  std::atomic<bool> information_icon_{false};
  std::atomic<HWND> owner_{nullptr};
  mutable std::mutex text_lock_;
  std::string text_;
  std::thread thread_;
};

// The build's folder of the programs and the data set, as a Windows path.
std::string DataSetFolder();

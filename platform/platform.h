// Everything the portable core reaches outside itself, bundled. The Win32
// layer fills it with thin implementations; the unit tests with fakes.
#pragma once

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/internet.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/save_dialog.h"
#include "platform/scripting_objects.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace pravex {

struct Platform {
  ISettingsStore& settings;
  IFileSystem& files;
  IObjectFactory& objects;
  IClock& clock;
  IMessageBoxes& messageBoxes;
  IClipboard& clipboard;
  ISaveDialog& saveDialog;
  IMousePointer& mousePointer;
  IInternetApi& internet;
  IWindowSystem& windows;
};

}  // namespace pravex

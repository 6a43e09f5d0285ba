#pragma once

// Names the screensaver program shares with the system, with the renderer
// and with its own windows.

#include <string_view>

// Window titles FindWindowA looks for.
inline constexpr const char* kRunWindowTitle = "Velmoran_Main";   // the hidden run window
inline constexpr const char* kSettingsDialogTitle = "<Velmoran>"; // the settings dialog
inline constexpr const char* kPreviewWindowTitle = "Preview Window";

// The renderer program, after the program folder.
inline constexpr std::string_view kRendererFileName = "\\Velmoran.dll";

// The title of the program's message boxes.
inline constexpr std::string_view kApplicationTitle = "Velmoran";

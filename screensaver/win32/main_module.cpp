#include "main_module.h"

#include <windows.h>

#include "file_paths.h"
#include "music_settings_loading.h"
#include "preview_window.h"
#include "program_globals.h"
#include "program_names.h"
#include "run_window.h"
#include "runtime/win32/application.h"
#include "runtime/win32/text_encoding.h"
#include "settings/settings_file.h"
#include "settings/win32/settings_dialog.h"
#include "settings/win32/settings_files.h"
#include "settings/win32/profile_store.h"
#include "start_request.h"
#include "texts/win32/user_texts.h"
#include "win32/handoff_folder_access.h"
#include "startup_steps.h"

using runtime::Application;

namespace {

bool WideFileExists(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool exists = file != INVALID_HANDLE_VALUE;
    if (exists) {
        CloseHandle(file);
    }
    SetLastError(ERROR_SUCCESS); // the caller sees no error either way
    return exists;
}

} // namespace

void Main() {
    const StartRequest request =
        ReadStartRequest(Application::CommandArguments(), runtime::SystemLeadByte);

    StartupServices services;
    services.window_exists = [](const char* title) {
        return FindWindowA(nullptr, title) != nullptr;
    };
    services.create_handoff_folder = [] {
        if (const auto folder = UserHandoffFolder()) {
            CreateDirectoryW(folder->c_str(), nullptr);
        }
    };
    services.load_music_settings = [] {
        LoadMusicSettings();
        LoadDisplaySettings();
    };
    services.file_exists = [](const std::string& utf8_path) {
        return WideFileExists(runtime::WideFromUtf8(utf8_path));
    };
    services.show_missing_renderer_message = [] {
        Application::ShowMessage(UserText(TextKey::MissingRenderer), MB_OK);
    };
    services.hide_cursor = [] { LastApiResult = ShowCursor(FALSE); };
    // By its wide name, so that a folder the code page cannot write works too.
    services.program_folder = runtime::Utf8FromWide(Application::ProgramFolderWide());

    switch (RunStartupSteps(request, services)) {
    case StartupOutcome::Preview:
        StartPreview(request.preview_handle);
        return;
    case StartupOutcome::RunWindow:
        // The run goes on from the hidden run window's load; the program
        // lives as long as that window is loaded.
        LoadRunWindow();
        return;
    case StartupOutcome::SettingsDialog:
        ShowSettingsDialog(request.owner_handle);
        break; // the dialog has closed: the program ends
    case StartupOutcome::End:
        break;
    }
    Application::End();
}

bool FileExists(const std::string& path) {
    return WideFileExists(runtime::WideFromAnsi(PathToOpen(path, runtime::SystemLeadByte)));
}

std::string FolderOfPath(const std::string& path) {
    return FolderOfPath(path, runtime::SystemLeadByte);
}

void LoadMusicSettings() {
    LoadMusicSettingsFromFolder(g_music_settings, Application::ProgramFolder());
}

namespace {

// The settings file that is read for a program in program_folder.
std::string SettingsFileOf(const std::string& program_folder) {
    return SettingsFileToRead(SettingsFilesOf(program_folder), PlatformSettingsFileAccess());
}

} // namespace

void LoadDisplaySettings() {
    const std::string file = SettingsFileOf(Application::ProgramFolder());
    const auto read = [&file](std::string_view key) {
        return ChoiceFrom(ReadIni(std::string(kSettingsSection), ProfileKey(key), file));
    };
    g_display_settings.KeepResolution = read(kKeyKeepResolution);
    g_display_settings.EveryMonitor = read(kKeyEveryMonitor);
    g_display_settings.Thunder = read(kKeyThunder);
}

void LoadMusicSettingsFromFolder(MusicSettings& settings, const std::string& program_folder) {
    const std::string file = SettingsFileOf(program_folder);
    SettingsReader reader;
    reader.read_key = [&file](const std::string& key) {
        return ReadIni(std::string(kSettingsSection), key, file);
    };
    reader.file_exists = [](const std::string& path) { return FileExists(path); };
    reader.program_folder = program_folder;
    reader.lead_byte = runtime::SystemLeadByte;
    LoadMusicSettingsFrom(settings, reader);
}

#include "image_files.h"

#include <windows.h>

#include <string>

#include "../textures.h"
#include "renderer.h"
#include "win32/handoff_folder_access.h"

namespace {

// Owns a mapped view of a file.
class MappedView {
public:
    explicit MappedView(const void* view) : m_view(view) {}
    ~MappedView() {
        if (m_view != nullptr) {
            UnmapViewOfFile(m_view);
        }
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    const std::uint8_t* bytes() const { return static_cast<const std::uint8_t*>(m_view); }

private:
    const void* m_view;
};

// Maps the whole opened file read-only and decodes it; mapping and view are
// released before this returns.
BmpDecodeResult decode_file(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) ||
        static_cast<unsigned long long>(size.QuadPart) > static_cast<SIZE_T>(-1)) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    // NOTE: an empty file cannot be mapped; that is the "cannot open" case too.
    FileHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (view.bytes() == nullptr) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    return decode_bmp({view.bytes(), static_cast<std::size_t>(size.QuadPart)});
}

std::wstring wide_from_utf8(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string utf8_from_wide(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

// The error box, naming the file by its whole path.
void show_error(BmpError error, const std::wstring& path) {
    const std::wstring text = wide_from_utf8(bmp_error_message(error, utf8_from_wide(path)));
    MessageBoxW(GetFocus(), text.c_str(), L"Error", MB_OK);
}

// A hand-off image opened for reading, or why not.
struct OpenedImage {
    FileHandle file;
    bool in_use = false; // a plain file there, held open by a program that writes it
};

// Opens hand-off image number image for reading when it is a plain file on a
// disk, directly in the plain hand-off folder of this user.
// NOTE: Wine follows a symbolic link at the path's end even when asked to
// open the link itself; the final path check refuses what it leads to.
OpenedImage open_handoff_image(const std::wstring& folder_path, int image) {
    const HeldHandoffFolder folder(folder_path);
    if (folder.Entry() != PathEntry::Folder) {
        return OpenedImage{FileHandle(), false};
    }
    const std::wstring path = HandoffFilePath(folder_path, image);
    // Shared for reading only: a picture another program is writing is not read.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | kHandoffOpenFlags, nullptr));
    if (!file.valid()) {
        const bool in_use = GetLastError() == ERROR_SHARING_VIOLATION &&
                            IsPlainHandoffFile(PathEntry::Folder, EntryAt(path));
        return OpenedImage{FileHandle(), in_use};
    }
    if (!IsPlainHandoffFile(PathEntry::Folder, EntryOf(file.get())) ||
        !HandleIsAt(file.get(), path)) {
        return OpenedImage{FileHandle(), false};
    }
    return OpenedImage{std::move(file), false};
}

} // namespace

std::optional<RgbImage> load_bmp(void* file, const std::wstring& path) {
    BmpDecodeResult result = decode_file(file);
    if (!result.image) {
        show_error(result.error, path);
        return std::nullopt;
    }
    return std::move(result.image);
}

std::optional<RgbImage> load_image(int image) {
    const auto folder = UserHandoffFolder();
    if (!folder) {
        return std::nullopt;
    }
    const OpenedImage opened = open_handoff_image(*folder, image);
    if (opened.in_use) {
        // Found, but it cannot be opened: the one case of a missing picture that is told.
        show_error(BmpError::open_failed, HandoffFilePath(*folder, image));
    }
    if (!opened.file.valid()) {
        return std::nullopt;
    }
    return load_bmp(opened.file.get(), HandoffFilePath(*folder, image));
}

bool load_textures() {
    // A photograph this run did not write is an earlier run's: never shown.
    return fill_texture_slots(g_scene, [](int image) {
        return image == 0 && !g_options.photograph ? std::nullopt : load_image(image);
    });
}

#include "image_files.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "../textures.h"
#include "renderer.h"

namespace {

// Owns a kernel handle; closes it on every way out.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedHandle() {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

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

// Maps the whole file read-only and decodes it; file, mapping and view are
// released before this returns.
BmpDecodeResult decode_file(const char* path) {
    OwnedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) ||
        static_cast<unsigned long long>(size.QuadPart) > static_cast<SIZE_T>(-1)) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    // NOTE: an empty file cannot be mapped; that is the "cannot open" case too.
    OwnedHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (view.bytes() == nullptr) {
        return BmpDecodeResult{std::nullopt, BmpError::open_failed};
    }
    return decode_bmp({view.bytes(), static_cast<std::size_t>(size.QuadPart)});
}

// The error box: the text in the system's ANSI code page, as the path came.
void show_error(BmpError error, const char* path) {
    const std::string text = bmp_error_message(error, path);
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    MessageBoxW(GetFocus(), wide.c_str(), L"Error", MB_OK);
}

} // namespace

std::optional<RgbImage> load_bmp(const char* path) {
    BmpDecodeResult result = decode_file(path);
    if (!result.image) {
        show_error(result.error, path);
        return std::nullopt;
    }
    return std::move(result.image);
}

std::optional<RgbImage> load_image(const char* path) {
    if (path == nullptr) {
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::fclose(file);
    return load_bmp(path);
}

bool load_textures() {
    return fill_texture_slots(g_scene, load_image);
}

// The archive side of the skin reader: minizip over a block of memory.
#include "skin/skin_format.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// minizip reads through these callbacks; the "file" is the archive's bytes.
struct MemoryStream {
    std::string_view data;
    size_t position = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int mode)
{
    // Reading only: a skin is never written.
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    return opaque;
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size)
{
    auto* s = static_cast<MemoryStream*>(stream);
    const size_t left = s->data.size() - s->position;
    const size_t n = size < left ? static_cast<size_t>(size) : left;
    std::memcpy(buffer, s->data.data() + s->position, n);
    s->position += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) { return static_cast<MemoryStream*>(stream)->position; }

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* s = static_cast<MemoryStream*>(stream);
    ZPOS64_T base;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        base = 0;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = s->position;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = s->data.size();
        break;
    default:
        return -1;
    }
    if (offset > s->data.size() || base > s->data.size() - offset)
        return -1;
    s->position = static_cast<size_t>(base + offset);
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK ErrorMemory(voidpf, voidpf) { return 0; }

struct UnzCloser {
    void operator()(void* file) const { unzClose(static_cast<unzFile>(file)); }
};

std::string LowerName(const char* name)
{
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c == '\\')
            c = '/';
    }
    return out;
}

// Inflates the current member, never more than `cap` bytes whatever its
// header claims; a member that would exceed it is refused.
SkinError ReadMember(unzFile zip, size_t cap, std::string& out)
{
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return SkinError::BadEntry;
    char buffer[16384];
    SkinError error = SkinError::None;
    for (;;) {
        const int n = unzReadCurrentFile(zip, buffer, sizeof buffer);
        if (n < 0) {
            error = SkinError::BadEntry;
            break;
        }
        if (n == 0)
            break;
        if (out.size() + static_cast<size_t>(n) > cap) {
            error = SkinError::TooLarge;
            break;
        }
        out.append(buffer, static_cast<size_t>(n));
    }
    // A damaged member fails its CRC check here.
    if (unzCloseCurrentFile(zip) != UNZ_OK && error == SkinError::None)
        error = SkinError::BadEntry;
    return error;
}

} // namespace

SkinReadResult ReadSkinArchive(std::string_view archive, const SkinLimits& limits)
{
    SkinReadResult result;
    if (archive.size() > limits.maxArchiveBytes) {
        result.error = SkinError::TooLarge;
        return result;
    }
    MemoryStream stream {archive, 0};
    zlib_filefunc64_def io {};
    io.zopen64_file = OpenMemory;
    io.zread_file = ReadMemory;
    io.zwrite_file = WriteMemory;
    io.ztell64_file = TellMemory;
    io.zseek64_file = SeekMemory;
    io.zclose_file = CloseMemory;
    io.zerror_file = ErrorMemory;
    io.opaque = &stream;
    std::unique_ptr<void, UnzCloser> zip(unzOpen2_64("skin", &io));
    if (!zip) {
        result.error = SkinError::NotAnArchive;
        return result;
    }
    unz_global_info64 global {};
    if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) {
        result.error = SkinError::NotAnArchive;
        return result;
    }
    if (global.number_entry > limits.maxEntries) {
        result.error = SkinError::TooLarge;
        return result;
    }

    std::map<std::string, std::string> files;
    size_t total = 0;
    int status = unzGoToFirstFile(zip.get());
    size_t visited = 0;
    while (status == UNZ_OK) {
        if (++visited > limits.maxEntries) {
            result.error = SkinError::TooLarge;
            return result;
        }
        unz_file_info64 info {};
        char name[260];
        if (unzGetCurrentFileInfo64(zip.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK
            || info.size_filename >= sizeof name) {
            result.error = SkinError::BadEntry;
            return result;
        }
        const std::string key = LowerName(name);
        const bool directory = !key.empty() && key.back() == '/';
        if (!directory) {
            if (!IsSafeEntryName(key) || (info.flag & 1) != 0) {
                // A name that climbs out of the archive or an encrypted member.
                result.error = SkinError::BadEntry;
                return result;
            }
            if (info.uncompressed_size > limits.maxEntryBytes
                || total + info.uncompressed_size > limits.maxTotalBytes) {
                result.error = SkinError::TooLarge;
                return result;
            }
            std::string content;
            const size_t cap = std::min(limits.maxEntryBytes, limits.maxTotalBytes - total);
            const SkinError error = ReadMember(static_cast<unzFile>(zip.get()), cap, content);
            if (error != SkinError::None) {
                result.error = error;
                return result;
            }
            total += content.size();
            files[key] = std::move(content);
        }
        status = unzGoToNextFile(zip.get());
    }
    if (status != UNZ_END_OF_LIST_OF_FILE) {
        result.error = SkinError::BadEntry;
        return result;
    }
    auto description = files.find("skin.ini");
    if (description == files.end()) {
        result.error = SkinError::NoDescription;
        return result;
    }
    result.skin = BuildSkin(SkinIni::Parse(description->second), files, limits.maxImageSide);
    return result;
}

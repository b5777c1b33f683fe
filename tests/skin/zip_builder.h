// Writes small ZIP archives in memory for the skin reader's tests: stored or
// deflated members, with the option to lie in the headers the way hostile
// archives do.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct ZipMember {
    std::string name;
    std::string content;
    bool deflate = true;
    // When non-zero, the size both headers claim instead of the real one.
    uint32_t claimedSize = 0;
    uint16_t flags = 0;
};

inline void PutLe16(std::string& out, uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

inline void PutLe32(std::string& out, uint32_t v)
{
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

inline std::string RawDeflate(const std::string& data)
{
    z_stream z {};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::string BuildZip(const std::vector<ZipMember>& members)
{
    std::string archive, central;
    for (const ZipMember& m : members) {
        const std::string packed = m.deflate ? RawDeflate(m.content) : m.content;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(m.content.data()), static_cast<uInt>(m.content.size())));
        const uint32_t size = m.claimedSize ? m.claimedSize : static_cast<uint32_t>(m.content.size());
        const uint32_t offset = static_cast<uint32_t>(archive.size());
        auto header = [&](std::string& out, bool isCentral) {
            PutLe32(out, isCentral ? 0x02014b50 : 0x04034b50);
            if (isCentral)
                PutLe16(out, 20); // made by
            PutLe16(out, 20); // needed
            PutLe16(out, m.flags);
            PutLe16(out, m.deflate ? 8 : 0);
            PutLe16(out, 0); // time
            PutLe16(out, 0x21); // date
            PutLe32(out, crc);
            PutLe32(out, static_cast<uint32_t>(packed.size()));
            PutLe32(out, size);
            PutLe16(out, static_cast<uint32_t>(m.name.size()));
            PutLe16(out, 0); // extra
            if (isCentral) {
                PutLe16(out, 0); // comment
                PutLe16(out, 0); // disk
                PutLe16(out, 0); // internal attributes
                PutLe32(out, 0); // external attributes
                PutLe32(out, offset);
            }
            out += m.name;
        };
        header(archive, false);
        archive += packed;
        header(central, true);
    }
    const uint32_t centralOffset = static_cast<uint32_t>(archive.size());
    archive += central;
    PutLe32(archive, 0x06054b50);
    PutLe16(archive, 0);
    PutLe16(archive, 0);
    PutLe16(archive, static_cast<uint32_t>(members.size()));
    PutLe16(archive, static_cast<uint32_t>(members.size()));
    PutLe32(archive, static_cast<uint32_t>(central.size()));
    PutLe32(archive, centralOffset);
    PutLe16(archive, 0);
    return archive;
}

// A 24-bit bottom-up BMP filled with one colour.
inline std::string SolidBmp(int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);
    std::string out = "BM";
    PutLe32(out, 54 + imageSize);
    PutLe32(out, 0);
    PutLe32(out, 54);
    PutLe32(out, 40);
    PutLe32(out, static_cast<uint32_t>(width));
    PutLe32(out, static_cast<uint32_t>(height));
    PutLe16(out, 1);
    PutLe16(out, 24);
    PutLe32(out, 0);
    PutLe32(out, imageSize);
    PutLe32(out, 2835);
    PutLe32(out, 2835);
    PutLe32(out, 0);
    PutLe32(out, 0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(b);
            row += static_cast<char>(g);
            row += static_cast<char>(r);
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

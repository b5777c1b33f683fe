#include "framework/image_list.h"

#include "framework/scoped.h"

#include <vector>

ImageList::ImageList(int width, int height)
    : width_(width)
    , height_(height)
    , list_(Create())
{
}

ImageList::~ImageList()
{
    if (list_)
        ImageList_Destroy(list_);
}

HIMAGELIST ImageList::Create() const
{
    // 32-bit colour with a mask keeps shell icons' alpha on XP and later and
    // still degrades to masked drawing on older systems.
    return ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 32, 64);
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

void ImageList::Clear()
{
    if (list_)
        ImageList_Remove(list_, -1);
}

void ImageList::Truncate(int count)
{
    if (list_ && count >= 0 && count < Count())
        ImageList_SetImageCount(list_, static_cast<UINT>(count));
}

void ImageList::Recreate(int width, int height)
{
    if (list_)
        ImageList_Destroy(list_);
    width_ = width;
    height_ = height;
    list_ = Create();
}

void ImageList::Assign(const ImageList& other)
{
    if (&other == this)
        return;
    HIMAGELIST copy = ImageList_Duplicate(other.list_);
    if (!copy)
        return;
    if (list_)
        ImageList_Destroy(list_);
    list_ = copy;
    width_ = other.width_;
    height_ = other.height_;
}

int ImageList::AppendIcon(HICON icon)
{
    if (!list_ || !icon)
        return -1;
    return ImageList_ReplaceIcon(list_, -1, icon);
}

namespace {
// The pixels of a whole bitmap as 32-bit top-down rows.
bool ReadPixels(HDC dc, HBITMAP bitmap, std::vector<DWORD>& pixels, int& width)
{
    BITMAP info {};
    if (!bitmap || !::GetObject(bitmap, sizeof info, &info))
        return false;
    BITMAPINFO format {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight), 0);
    width = info.bmWidth;
    return ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS)
        == info.bmHeight;
}

HBITMAP StripBitmap(HDC dc, int width, int height, int bitCount, void** bits)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } format {};
    format.header.biSize = sizeof format.header;
    format.header.biWidth = width;
    format.header.biHeight = -height;
    format.header.biPlanes = 1;
    format.header.biBitCount = static_cast<WORD>(bitCount);
    format.header.biCompression = BI_RGB;
    format.colors[1] = RGBQUAD {255, 255, 255, 0};
    return ::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, bits, nullptr, 0);
}
} // namespace

int ImageList::AppendCopies(int first, int count)
{
    if (first < 0 || count <= 0)
        return -1;
    std::vector<int> indexes;
    for (int i = 0; i < count; ++i)
        indexes.push_back(first + i);
    return AppendCopiesOf(*this, indexes);
}

int ImageList::AppendCopiesOf(const ImageList& source, const std::vector<int>& indexes)
{
    const int count = static_cast<int>(indexes.size());
    if (!list_ || !source.list_ || count == 0 || source.width_ != width_ || source.height_ != height_)
        return -1;
    for (int index : indexes)
        if (index < 0 || index >= source.Count())
            return -1;
    // The images are read back from the source list's own bitmaps and added
    // as one strip: the list keeps them exactly as stored, alpha included.
    IMAGEINFO firstInfo {};
    if (!ImageList_GetImageInfo(source.list_, indexes[0], &firstInfo))
        return -1;
    WindowDc screenDc(nullptr);
    HDC screen = screenDc.Get();
    std::vector<DWORD> image, mask;
    int imageWidth = 0, maskWidth = 0;
    const bool hasMask = firstInfo.hbmMask != nullptr;
    int start = -1;
    void* colorBits = nullptr;
    void* maskBits = nullptr;
    GdiObject<HBITMAP> color, maskStrip;
    if (ReadPixels(screen, firstInfo.hbmImage, image, imageWidth)
        && (!hasMask || ReadPixels(screen, firstInfo.hbmMask, mask, maskWidth))) {
        color.Reset(StripBitmap(screen, width_ * count, height_, 32, &colorBits));
        if (hasMask)
            maskStrip.Reset(StripBitmap(screen, width_ * count, height_, 1, &maskBits));
    }
    if (color && (!hasMask || maskStrip)) {
        const size_t maskStride = ((static_cast<size_t>(width_) * count + 31) / 32) * 4;
        auto* colorOut = static_cast<DWORD*>(colorBits);
        auto* maskOut = static_cast<BYTE*>(maskBits);
        bool ok = true;
        for (int k = 0; k < count && ok; ++k) {
            IMAGEINFO info {};
            ok = ImageList_GetImageInfo(source.list_, indexes[static_cast<size_t>(k)], &info) != FALSE;
            for (int y = 0; ok && y < height_; ++y) {
                for (int x = 0; x < width_; ++x) {
                    const size_t from = static_cast<size_t>(info.rcImage.top + y) * imageWidth + info.rcImage.left + x;
                    const size_t to = static_cast<size_t>(y) * width_ * count + static_cast<size_t>(k) * width_ + x;
                    colorOut[to] = image[from];
                    if (hasMask
                        && (mask[static_cast<size_t>(info.rcImage.top + y) * maskWidth + info.rcImage.left + x]
                            & 0xFFFFFF)) {
                        const size_t column = static_cast<size_t>(k) * width_ + x;
                        maskOut[static_cast<size_t>(y) * maskStride + column / 8]
                            |= static_cast<BYTE>(0x80 >> (column % 8));
                    }
                }
            }
        }
        ::GdiFlush();
        if (ok)
            start = ImageList_Add(list_, color.Get(), maskStrip.Get());
    }
    return start;
}

int ImageList::AppendMasked(HBITMAP strip, COLORREF mask)
{
    if (!list_ || !strip)
        return -1;
    return ImageList_AddMasked(list_, strip, mask);
}

bool ImageList::Draw(HDC dc, int index, int x, int y, bool enabled) const
{
    if (!list_ || index < 0 || index >= Count())
        return false;
    if (enabled)
        return ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT) != FALSE;
    IMAGELISTDRAWPARAMS params {};
    params.cbSize = sizeof params;
    params.himl = list_;
    params.i = index;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = ILS_SATURATE;
    return ImageList_DrawIndirect(&params) != FALSE;
}

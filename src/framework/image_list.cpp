#include "framework/image_list.h"

ImageList::ImageList(int width, int height) : width_(width), height_(height), list_(Create()) {}

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
    IMAGELISTDRAWPARAMS params{};
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

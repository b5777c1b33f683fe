// A 16x16 image list of menu glyphs (owning wrapper over HIMAGELIST).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

class ImageList {
public:
    explicit ImageList(int width = 16, int height = 16);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST Handle() const { return list_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    void Clear();
    // Keeps the first `count` images and drops the rest.
    void Truncate(int count);
    // Drops every image and takes a new image size (the DPI changed).
    void Recreate(int width, int height);
    // Makes this list an image-for-image copy of `other`.
    void Assign(const ImageList& other);
    // Appends the icon scaled to the list's size; the new index, or -1.
    int AppendIcon(HICON icon);
    // Appends copies of the `count` images from `first` on, in order: far
    // cheaper than adding their icons again. The first copy's index, or -1.
    int AppendCopies(int first, int count);
    // Appends copies of images of `source` (of the same size), in the order
    // of `indexes`. The first copy's index, or -1.
    int AppendCopiesOf(const ImageList& source, const std::vector<int>& indexes);
    // Appends a strip of images cut from a bitmap; `mask` is the transparent colour.
    int AppendMasked(HBITMAP strip, COLORREF mask);
    bool Draw(HDC dc, int index, int x, int y, bool enabled = true) const;

private:
    HIMAGELIST Create() const;
    int width_;
    int height_;
    HIMAGELIST list_;
};

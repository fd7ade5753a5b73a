#pragma once

#include <windows.h>
#include <commctrl.h>

// Owns the image list it creates and destroys it with itself.
class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_hImageList(other.m_hImageList) { other.m_hImageList = nullptr; }
    CImageList& operator=(CImageList&& other) noexcept;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    int Add(HBITMAP image, HBITMAP mask) { return ImageList_Add(m_hImageList, image, mask); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    void DeleteImageList();

private:
    HIMAGELIST m_hImageList = nullptr;
};

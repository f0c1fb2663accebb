#pragma once
// Owner of an image list, the invisible image lists that fix a list's row height, and how a
// list view is given an image list that stays ours.
#include <windows.h>
#include <commctrl.h>

#include "base/unique_handles.h"

namespace image_list_detail {
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
}  // namespace image_list_detail

using UniqueImageList = UniqueAny<HIMAGELIST, image_list_detail::DestroyImageList, 0>;

// An image list without pictures, 24 pixels wide: as a list's small image list it makes
// every row the given height.
inline UniqueImageList RowHeightImageList(int height) {
    return UniqueImageList(ImageList_Create(24, height, ILC_COLOR32, 0, 1));
}

// Gives a list view an image list that the caller's owner keeps: the list is told to share it,
// so that the list view does not destroy it a second time when the list is destroyed.
inline void SetSharedSmallImageList(HWND list, HIMAGELIST images) {
    const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    if ((style & LVS_SHAREIMAGELISTS) == 0) SetWindowLongPtrA(list, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    ListView_SetImageList(list, images, LVSIL_SMALL);
}

// Wine measures owner-drawn rows again only when the list's size changes: a new row height
// shows after the size changes there and back.
inline void MeasureRowsAgain(HWND list) {
    RECT bounds{};
    GetWindowRect(list, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(list, nullptr, 0, 0, width, height + 1, flags);
    SetWindowPos(list, nullptr, 0, 0, width, height, flags);
}

#pragma once
// Owner of an image list, and the invisible image lists that fix a list's row height.
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

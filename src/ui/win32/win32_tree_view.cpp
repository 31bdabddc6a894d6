#include "ui/win32/win32_tree_view.h"

#include <algorithm>

#include "common/run_time_error.h"
#include "common/text_encoding.h"
#include "platform/gdi/types.h"
#include "tree/image_keys.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

namespace {

constexpr int kPictureSize = 16;

// The picture's place in imgMain, or none for a key the list does not hold.
int ImageIndex(const std::string& image) {
  const auto& keys = tree::kImageListKeys;
  const auto found = std::find(keys.begin(), keys.end(), image);
  return found == keys.end() ? I_IMAGENONE : int(found - keys.begin());
}

}  // namespace

void Win32TreeView::Add(const std::optional<std::string>& relative,
                        tree::Relationship relationship, const std::string& key,
                        const std::string& text, const std::string& image) {
  if (nodes_.count(key)) {
    throw RunTimeError(tree::error::kKeyNotUnique, "Key is not unique in collection");
  }
  HTREEITEM parent = TVI_ROOT;
  if (relative) {
    parent = Find(*relative).item;
    if (relationship != tree::Relationship::Child) {
      throw RunTimeError(tree::error::kInvalidRelationship, "Invalid procedure call or argument");
    }
  }
  Node& node = storage_.emplace_back(Node{key, image, nullptr});
  std::wstring wide_text = text::Utf8ToUtf16(text).value_or(std::wstring());
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = wide_text.data();
  insert.item.iImage = insert.item.iSelectedImage = ImageIndex(image);
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  node.item = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (node.item == nullptr) {
    storage_.pop_back();
    throw RunTimeError(7, "Out of memory");
  }
  nodes_.emplace(key, &node);
}

bool Win32TreeView::Contains(const std::string& key) const { return nodes_.count(key) != 0; }

std::string Win32TreeView::Image(const std::string& key) const { return Find(key).image; }

void Win32TreeView::SetImage(const std::string& key, const std::string& image) {
  Node& node = Find(key);
  node.image = image;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = node.item;
  item.iImage = item.iSelectedImage = ImageIndex(image);
  SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string Win32TreeView::KeyOf(HTREEITEM handle) const {
  if (handle == nullptr) return {};
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = handle;
  if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  const auto* node = reinterpret_cast<const Node*>(item.lParam);
  return node != nullptr ? node->key : std::string();
}

HTREEITEM Win32TreeView::Item(const std::string& key) const {
  const auto found = nodes_.find(key);
  return found == nodes_.end() ? nullptr : found->second->item;
}

Win32TreeView::Node& Win32TreeView::Find(const std::string& key) const {
  const auto found = nodes_.find(key);
  if (found == nodes_.end()) throw RunTimeError(tree::error::kElementNotFound, "Element not found");
  return *found->second;
}

HIMAGELIST CreateMainImageList() {
  HIMAGELIST list = ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR24 | ILC_MASK,
                                     int(tree::kImageListKeys.size()), 0);
  Bitmap strip = LoadPicture(IDB_TREE_PICTURES);
  if (list != nullptr && strip) ImageList_AddMasked(list, strip.get(), gdi::RGB(192, 192, 192));
  return list;
}

}  // namespace lumaveil::win32

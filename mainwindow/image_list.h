#pragma once
// ImageList1: the pictures of the window's actions and pop-up entries, by index, and
// the names of the commands' indexes.
#include <array>

namespace quillet::ui {

inline constexpr std::array<const char*, 16> kImageFiles = {"00_cut",
                                                            "01_copy",
                                                            "02_paste",
                                                            "03_move_down",
                                                            "04_move_up",
                                                            "05_restart_phone",
                                                            "06_new",
                                                            "07_open_from_phone",
                                                            "08_open",
                                                            "09_save",
                                                            "10_save_to_phone",
                                                            "11_replace",
                                                            "12_add_before",
                                                            "13_add_first_item",
                                                            "14_add_first_subitem",
                                                            "15_add_last_subitem"};

enum Image {
  kNoImage = -1,
  kMoveDown = 3,
  kMoveUp = 4,
  kRestartPhone = 5,
  kNew = 6,
  kOpenFromPhone = 7,
  kOpen = 8,
  kSave = 9,
  kSaveToPhone = 10,
  kReplace = 11,
  kAddBefore = 12,
  kAddFirstItem = 13,
  kAddFirstSubitem = 14,
  kAddLastSubitem = 15,
};

}  // namespace quillet::ui

#include "catalogue.h"

#include <algorithm>
#include <numeric>

#include "item.h"

namespace quillet {

// Ascending by byte value, except that "PttOnOff" precedes "PttKodiak1", "SIMApp" sits
// between "RingVibrate" and "RingStyle", and "Custom item" closes the list: the row order is
// the item chooser's order and must not be re-sorted.
const std::array<std::string_view, kCatalogueRows> CatalogueIds = {
    "2CLICK",      "AIM",         "Activation",  "ActiveCall",  "AirplnMode",  "AlarmClcok",  "AlarmClock",
    "Animations",  "AnsMachine",  "Avatar",      "BRWSetup",    "BarCodeRead", "BarredDial",  "Bluetooth",
    "Bookmarks",   "Browser",     "CDAG",        "CMCC",        "Calculator",  "CallForward", "Camera",
    "CarSetting",  "Chat",        "Cmcccallfwd", "Cmccphbk",    "CmccphbkUpd", "Cmccsetting", "Connection",
    "Datebook",    "DialService", "DownDict",    "E-Dict",      "Exchange",    "FEM",         "FixedDial",
    "Games",       "GoToPage",    "GoToURL",     "Headset",     "I-Appli",     "I-Browser",   "I-Channel",
    "I-Motions",   "IM",          "INCMCall",    "IRDALink",    "ITUNES",      "InCallSetup", "InfuGames",
    "IntlSetup",   "JAVATools",   "Lights",      "MMRingStyle", "MMSCard",     "Mailer",      "MediaFinder",
    "Melody",      "Message",     "MobileQQ",    "MobileTV",    "MotoMixer",   "MotoSync",    "Mutilmedia",
    "MyTones",     "Network",     "NewWldDic",   "Notes",       "NwServices",  "OneClickLS",  "OneClickRS",
    "OneClickSD",  "OneClickSL",  "OneClickSM",  "OneClickSR",  "OneClickSU",  "OptionsMenu", "OthrSetting",
    "Personalize", "PhoneBook",   "PhoneStatus", "Pictures",    "Ptt",         "PttOnOff",    "PttKodiak1",
    "PttKodiak2",  "PttSetting",  "QuickDial",   "Radio",       "RecentCall",  "RingVibrate", "SIMApp",
    "RingStyle",   "Security",    "ServiceDial", "ServiceTab",  "Settings",    "Shortcuts",   "SndProfiles",
    "SoftUpdate",  "Sounds",      "StoredPages", "Sync",        "SystemScan",  "Text Msg",    "Theme",
    "Tools",       "UsbSetting",  "VFCasting",   "Video",       "VideoCamera", "VoiceDial",   "VoiceMsg",
    "VoiceRecord", "WebAccess",   "WebHistory",  "WebSessions", "WebSetup",    "WebShortcut", "WorldClock",
    "WorldTime",   "Custom item",
};

// The identifiers themselves except rows 5 and 62, whose identifiers are misspelt on the
// phone and must be written as they are, but are shown spelt right.
const std::array<std::string_view, kCatalogueRows> CatalogueNames = [] {
  std::array<std::string_view, kCatalogueRows> names = CatalogueIds;
  names[5] = "AlarmClock [old]";
  names[62] = "Multimedia";
  return names;
}();

const std::array<std::uint8_t, kCatalogueRows> CatalogueCanHaveSubmenu = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1,
};

std::uint8_t CatalogueIndex(std::string_view identifier) {
  // A load looks up every record; a sorted index of the rows spares it a scan of the
  // whole catalogue per record. The sort is stable, so of two equal identifiers the
  // first row is found, as a scan would find it.
  static const std::array<std::uint8_t, kCatalogueRows> byIdentifier = [] {
    std::array<std::uint8_t, kCatalogueRows> rows{};
    std::iota(rows.begin(), rows.end(), std::uint8_t{0});
    std::stable_sort(rows.begin(), rows.end(),
                     [](std::uint8_t a, std::uint8_t b) { return CatalogueIds[a] < CatalogueIds[b]; });
    return rows;
  }();
  const auto found =
      std::lower_bound(byIdentifier.begin(), byIdentifier.end(), identifier,
                       [](std::uint8_t row, std::string_view id) { return CatalogueIds[row] < id; });
  return found != byIdentifier.end() && CatalogueIds[*found] == identifier ? *found : kCatalogueMissing;
}

std::string CaptionForIdentifier(const std::string& identifier) {
  // Custom items and identifiers the catalogue does not know are shown as they are.
  if (IsCustomIdentifier(identifier)) return identifier;
  const std::uint8_t row = CatalogueIndex(identifier);
  if (row == kCatalogueMissing) return identifier;
  return std::string(CatalogueNames[row]);
}

std::uint8_t SubmenuFlagForIdentifier(const std::string& identifier) {
  if (IsCustomIdentifier(identifier)) return 1;
  const std::uint8_t row = CatalogueIndex(identifier);
  // An identifier the catalogue does not know may be anything; it is not offered a submenu.
  return row == kCatalogueMissing ? 0 : CatalogueCanHaveSubmenu[row];
}

}  // namespace quillet

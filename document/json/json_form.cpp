#include "json_form.h"

#include "format.h"

namespace quillet::menujson {
namespace {

struct Label {
  std::uint8_t tag;
  const char* text;
};

// Tags as held in memory: icon paths always 12, the uninterpreted blocks 254.
constexpr Label kLabels[] = {
    {kTagMenuName, "menu names"},
    {kTagSoftkeyName, "softkey titles"},
    {kTagUrl, "url"},
    {kTagMidletApp, "midlet application"},
    {kTagMidletName, "midlet name"},
    {kTagMidletVendor, "midlet vendor"},
    {kTagIconPath, "icon path"},
    {kTagIconDrmList, "list icon drm"},
    {kTagIconDrmStatic, "static icon drm"},
    {kTagIconDrmAnimated, "animated icon drm"},
    {kTagUnsupported, "unsupported"},
};

struct Role {
  std::uint8_t kind;
  const char* name;
};

constexpr Role kRoles[] = {
    {kIconKindList, "list"}, {kIconKindStatic, "static"}, {kIconKindAnimated, "animated"}};

}  // namespace

std::string BlockLabel(std::uint8_t tag) {
  for (const Label& label : kLabels)
    if (label.tag == tag) return label.text;
  return {};
}

std::optional<std::uint8_t> TagOfLabel(std::string_view text) {
  for (const Label& label : kLabels)
    if (text == label.text) return label.tag;
  return std::nullopt;
}

std::string IconRoleName(std::uint8_t iconKind) {
  for (const Role& role : kRoles)
    if (role.kind == iconKind) return role.name;
  return {};
}

std::optional<std::uint8_t> IconKindOfRole(std::string_view name) {
  for (const Role& role : kRoles)
    if (name == role.name) return role.kind;
  return std::nullopt;
}

std::string SoftkeyPath(std::size_t index) { return "softkeys[" + std::to_string(index) + "]"; }

std::string MenuItemPath(const std::string& parentPath, std::size_t index) {
  return (parentPath.empty() ? std::string("menu") : parentPath + ".children") + "[" + std::to_string(index) +
         "]";
}

}  // namespace quillet::menujson
